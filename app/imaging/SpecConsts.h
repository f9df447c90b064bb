// The product's texts for drives and disks.
#pragma once

inline constexpr const char* kHardDiskName = "Hard disk %1"; // numbered from 1
inline constexpr const char* kHardDiskPrefix = "Hard disk";
inline constexpr const char* kUnknownSize = "Unknown size";

inline constexpr const char* kFloppyDriveText = "Floppy Drive";
inline constexpr const char* kFixedDriveText = "Fixed Drive";
inline constexpr const char* kNetworkDriveText = "Network Drive";
inline constexpr const char* kCdRomDriveText = "CDROM Drive";
inline constexpr const char* kRamDriveText = "RAM Drive";
