# The windows of the program and the program itself.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets)

set(TOLVANE_FRAMEWORK_UI
    framework/DragEdit.cpp
    framework/PellinForm.cpp
    framework/PellinMain.cpp
    framework/PellinMainBatch.cpp
    framework/PellinMainLog.cpp
    framework/PellinMainClose.cpp
    framework/PellinMainPages.cpp
    framework/PellinMainRun.cpp
    framework/PellinMainThread.cpp
    framework/PellinMgfm.cpp
    framework/PellinPanel.cpp
    framework/QtMessageService.cpp
    framework/ShellOpen.cpp
    framework/logdlg.cpp)
set(TOLVANE_IMAGING_UI
    imaging/MainFrm.cpp
    imaging/MainFrmBatch.cpp
    imaging/MainFrmRestore.cpp
    imaging/MainFrmRestorePage.cpp
    imaging/MainFrmRun.cpp
    imaging/MainThread.cpp
    imaging/MsgFrm.cpp
    imaging/RightsNotice.cpp
    imaging/SelDriveFrm.cpp)

add_library(tolvane_windows STATIC ${TOLVANE_FRAMEWORK_UI} ${TOLVANE_IMAGING_UI})
set_target_properties(tolvane_windows PROPERTIES AUTOMOC ON)
target_include_directories(tolvane_windows PUBLIC
    ${CMAKE_CURRENT_SOURCE_DIR}/framework ${CMAKE_CURRENT_SOURCE_DIR}/imaging)
target_link_libraries(tolvane_windows PUBLIC tolvane_frontend tolvane_engine_client Qt6::Widgets)

add_executable(tolvane imaging/main.cpp)
target_link_libraries(tolvane PRIVATE tolvane_windows)
target_compile_definitions(tolvane PRIVATE TOLVANE_APP_ID="${TOLVANE_APP_ID}")
set_target_properties(tolvane PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/app)
# The help page lies beside the program, named after it: Help and F1 open it.
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/imaging/help/tolvane.html
    ${CMAKE_BINARY_DIR}/app/tolvane.html COPYONLY)

# The image file search window.
target_sources(tolvane_windows PRIVATE
    search/FileSearch.cpp
    search/SearchFrm.cpp
    search/SearchFrmBuild.cpp)
target_include_directories(tolvane_windows PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/search)

# The update check and the installer download.
find_package(Qt6 6.4 REQUIRED COMPONENTS Network)
target_sources(tolvane_windows PRIVATE
    update/CheckUpdateFrm.cpp
    update/DownloadFrm.cpp
    update/IniFile.cpp
    update/InstallerFile.cpp
    update/NewVersionFrm.cpp
    update/TextFile.cpp
    update/UrlDownload.cpp
    update/VersionNumber.cpp
    update/WebUpdate.cpp
    update/host/$<IF:$<PLATFORM_ID:Windows>,windows,linux>/InstallerLaunch.cpp
    update/host/$<IF:$<PLATFORM_ID:Windows>,windows,linux>/PrivateFolder.cpp)
target_include_directories(tolvane_windows PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/update)
target_link_libraries(tolvane_windows PUBLIC Qt6::Network)
