# The Linux storage backend.
find_package(PkgConfig REQUIRED)
pkg_check_modules(BLKID REQUIRED IMPORTED_TARGET blkid)

set(VORLIK_OS_SOURCES
    linux/BlockDevices.cpp
    linux/Files.cpp
    linux/PageCache.cpp
    linux/PartitionSync.cpp
    linux/PathKinds.cpp
    linux/SourceOverlap.cpp
    linux/VolumeLocks.cpp
    linux/VolumeSize.cpp
)
set(VORLIK_OS_LIBRARIES PkgConfig::BLKID)

# Exactly the three exports are visible.
function(vorlik_os_link_options target)
    target_link_options(${target} PRIVATE
        -Wl,--version-script=${CMAKE_CURRENT_SOURCE_DIR}/linux/vorlik.map
        -Wl,--no-undefined)
    set_target_properties(${target} PROPERTIES
        LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/linux/vorlik.map)
endfunction()
