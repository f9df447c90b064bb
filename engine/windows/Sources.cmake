# The Windows storage backend. The library is the file Vorlik.dll, exports
# by ordinal only and depends on no compiler runtime DLL.
set(VORLIK_OS_SOURCES
    windows/DeviceControl.cpp
    windows/Files.cpp
    windows/PageCache.cpp
    windows/PathKinds.cpp
    windows/SourceOverlap.cpp
    windows/VolumeLocks.cpp
    windows/VolumeSize.cpp
)
set(VORLIK_OS_LIBRARIES "") # kernel32 only, linked by default

# 32-bit __stdcall names carry the size of their arguments.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(VORLIK_ARGS_RUN_JOB "@4")
    set(VORLIK_ARGS_DISK_SIZE "@8")
    set(VORLIK_ARGS_VOLUME_SIZE "@8")
endif()
set(VORLIK_DEF_FILE ${CMAKE_CURRENT_BINARY_DIR}/Vorlik.def)
configure_file(${CMAKE_CURRENT_LIST_DIR}/Vorlik.def.in ${VORLIK_DEF_FILE} @ONLY)

function(vorlik_os_link_options target)
    set_target_properties(${target} PROPERTIES
        OUTPUT_NAME Vorlik
        PREFIX ""
        LINK_DEPENDS ${VORLIK_DEF_FILE})
    target_link_options(${target} PRIVATE
        ${VORLIK_DEF_FILE} -Wl,--kill-at -Wl,--no-undefined -static)
    # The linker would bind the import library to the export directory's
    # name; the program must bind the shipped file name instead.
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_DLLTOOL} --input-def ${VORLIK_DEF_FILE} --dllname Vorlik.dll
                --output-lib $<TARGET_LINKER_FILE:${target}>
        VERBATIM)
endfunction()
