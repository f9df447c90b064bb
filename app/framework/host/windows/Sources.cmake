# The Windows host queries: drive letters, physical drives, the registry,
# version resources and the system's memory and folder queries.
set(TOLVANE_HOST_SOURCES
    host/windows/AdministratorRights.cpp
    host/windows/BlockDevices.cpp
    host/windows/DeviceDetails.cpp
    host/windows/DeviceHandle.cpp
    host/windows/Environment.cpp
    host/windows/FreeSpace.cpp
    host/windows/InvokingUserOpen.cpp
    host/windows/MemoryStatus.cpp
    host/windows/OSVersion.cpp
    host/windows/Paths.cpp
    host/windows/ProgramSettings.cpp
    host/windows/SystemFolders.cpp
    host/windows/VersionResource.cpp)
set(TOLVANE_HOST_LIBRARIES version)
