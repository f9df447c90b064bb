# The windows, on Qt's offscreen platform with scripted message boxes.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Test)

add_library(app_window_test_support STATIC
    support/ScriptedMessageService.cpp support/WindowTestMain.cpp)
target_include_directories(app_window_test_support PUBLIC support)
target_link_libraries(app_window_test_support PUBLIC tolvane_windows Qt6::Test GTest::gtest)

add_executable(app_window_tests
    framework/SharedControlsTest.cpp
    imaging/CloneWindowTest.cpp
    imaging/RightsNoticeTest.cpp
    imaging/linux/CloneRunTest.cpp)
target_link_libraries(app_window_tests PRIVATE app_window_test_support engine_test_linux)
target_compile_definitions(app_window_tests PRIVATE TOLVANE_EXPECTED_VERSION="${PROJECT_VERSION}")
gtest_discover_tests(app_window_tests
    PROPERTIES LABELS app ENVIRONMENT QT_QPA_PLATFORM=offscreen DISCOVERY_TIMEOUT 60
    DISCOVERY_MODE PRE_TEST)

# The Restore page, the shared drive refresh and how runs fail.
add_executable(app_restore_tests
    framework/QtMessageServiceTest.cpp
    framework/linux/UnmountedVolumeTest.cpp
    imaging/FileKindsTest.cpp
    imaging/RestoreWindowTest.cpp
    imaging/WindowPlacementTest.cpp
    imaging/linux/DriveRefreshTest.cpp
    imaging/linux/RestoreRunTest.cpp
    imaging/linux/RunFailureTest.cpp)
target_link_libraries(app_restore_tests PRIVATE app_window_test_support engine_test_linux)
gtest_discover_tests(app_restore_tests
    PROPERTIES LABELS app ENVIRONMENT QT_QPA_PLATFORM=offscreen DISCOVERY_TIMEOUT 60
    DISCOVERY_MODE PRE_TEST)

# The image file search: the walk and the window, on trees the tests build.
add_executable(app_search_tests
    search/FileWalkTest.cpp
    search/HardDrivesTest.cpp
    search/RestoreSearchTest.cpp
    search/SearchWindowTest.cpp)
target_link_libraries(app_search_tests PRIVATE app_window_test_support engine_test_linux)
gtest_discover_tests(app_search_tests
    PROPERTIES LABELS app ENVIRONMENT QT_QPA_PLATFORM=offscreen DISCOVERY_TIMEOUT 60
    DISCOVERY_MODE PRE_TEST)

# The update check and the installer download, against an HTTPS server of
# the tests' own.
find_package(Qt6 6.4 REQUIRED COMPONENTS Network)
add_executable(app_update_tests
    update/AutoUpdateHookTest.cpp
    update/InstallerDownloadTest.cpp
    update/UpdateCheckTest.cpp
    update/support/TestCertificate.cpp
    update/support/TestHttpsServer.cpp)
target_include_directories(app_update_tests PRIVATE update/support)
target_link_libraries(app_update_tests PRIVATE app_window_test_support Qt6::Network)
target_compile_definitions(app_update_tests PRIVATE TOLVANE_EXPECTED_VERSION="${PROJECT_VERSION}")
gtest_discover_tests(app_update_tests
    PROPERTIES LABELS app ENVIRONMENT QT_QPA_PLATFORM=offscreen DISCOVERY_TIMEOUT 60
    DISCOVERY_MODE PRE_TEST)

# The Batch Clone page, its run and its add dialog.
add_executable(app_batch_tests
    imaging/BatchPageTest.cpp
    imaging/linux/BatchRunTest.cpp)
target_link_libraries(app_batch_tests PRIVATE app_window_test_support engine_test_linux)
gtest_discover_tests(app_batch_tests
    PROPERTIES LABELS app ENVIRONMENT QT_QPA_PLATFORM=offscreen DISCOVERY_TIMEOUT 60
    DISCOVERY_MODE PRE_TEST)

# Help and F1 open the page beside the program: it must be there.
add_test(NAME help_page_beside_program
    COMMAND ${CMAKE_COMMAND} -E cat $<TARGET_FILE_DIR:tolvane>/tolvane.html)
set_tests_properties(help_page_beside_program PROPERTIES LABELS app
    PASS_REGULAR_EXPRESSION "<title>Tolvane Help</title>")
