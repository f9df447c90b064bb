# The Linux host queries: sysfs, the mount table, /proc and the C library.
set(TOLVANE_HOST_SOURCES
    host/linux/AdministratorRights.cpp
    host/linux/BlockDevices.cpp
    host/linux/DeviceDetails.cpp
    host/linux/DeviceHandle.cpp
    host/linux/Environment.cpp
    host/linux/FreeSpace.cpp
    host/linux/InvokingUserOpen.cpp
    host/linux/MemoryStatus.cpp
    host/linux/OSVersion.cpp
    host/linux/Paths.cpp
    host/linux/ProgramSettings.cpp
    host/linux/SysfsBlockDevices.cpp
    host/linux/SystemFolders.cpp
    host/linux/VersionResource.cpp)
set(TOLVANE_HOST_LIBRARIES ${CMAKE_DL_LIBS})
