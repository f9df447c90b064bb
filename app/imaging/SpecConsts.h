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

// The Clone page and its run.
inline constexpr char kImageExtensions[] = ".img";
inline constexpr char kDstFileNote[] = "NOTE: NOT OUTPUT IMAGE FILE TO SOURCE DISK/DRIVE!";
inline constexpr char kReplaceDataLabel[] = "Replace damaged data with:";
inline constexpr char kHintSrcDrives[] = "Select drive or disk to be cloned";
inline constexpr char kHintSrcRefresh[] = "Refresh drive and disk list";
inline constexpr char kOutputOnSource[] =
    "Error 1: Destination file '%1' cannot be outputted to the source disk/drive, you must "
    "output it to another disk/drive!";
inline constexpr char kOutputIsDevice[] =
    "'%1' is a drive or disk, not an image file. Use Restore to write an image onto a drive or "
    "disk.";
inline constexpr char kWarningOverwrite[] =
    "Warning 6: All data on destination disk/drive will be overwritten! Are you sure?";
inline constexpr char kCloned[] = "%1 cloned. Speed: %2/min.";
inline constexpr char kRestored[] = "%1 restored. Speed: %2/min.";
inline constexpr char kCloneSuccess[] =
    "%1 in drive/disk '%2' have been cloned to the image file successfully!<BR>%3 bad source "
    "sectors encountered.";
inline constexpr char kSettingInfo[] = "Setting Information:";
inline constexpr char kSettingInfoEnd[] = "End of Setting Information";

// Start-up without the rights to open drives and disks.
inline constexpr char kNoAdministratorRights[] =
    "Tolvane is running without administrator rights: drives and disks cannot be listed or "
    "opened. Start Tolvane as administrator to clone or restore them.";

// The Restore page and its run.
inline constexpr char kRestoreTab[] = "&Restore";
inline constexpr char kRestoreSelSrcFile[] = "Select source &image file:";
inline constexpr char kRestoreSelDstFile[] = "Restore image to &drive or disk:";
inline constexpr char kRestoreDstNote[] =
    "NOTE: ALL DATA ON DESTINATION DISK/DRIVE WILL BE OVERWRITTEN!";
inline constexpr char kStartRestore[] = "&Start Restore";
inline constexpr char kStopRestore[] = "&Stop Restore";
inline constexpr char kRestoreLogPrompt[] = "Restore process log:";
inline constexpr char kRestoreFilter[] = "Disk/Drive image files (*.img)|*.img|All files (*.*)|*.*";
inline constexpr char kHintRestoreSrcMore[] = "Browse and select source image file";
inline constexpr char kHintRestoreSrcSearch[] = "Search the local disks for image files";
inline constexpr char kSelectSourceImage[] = "Please select source image file!";
inline constexpr char kImageFileMissing[] =
    "'%1' does not exist! Please select an existing image file!";
inline constexpr char kSelectTarget[] = "Please select target drive or disk!";
inline constexpr char kLogRestoreStart[] = "Start restore process ...";
inline constexpr char kLogRestoreSource[] = "Source image file: '%1'; Total size: %2 bytes";
inline constexpr char kLogRestoreTarget[] = "Restore to drive or disk: '%1'";
inline constexpr char kLogRestoreCompletes[] = "Restore process completes.";
inline constexpr char kUserAbortsRestore[] = "User aborts the restore process";
inline constexpr char kFailToRestore[] = "Fail to restore image data to '%1'!";
inline constexpr char kRestoreSuccess[] =
    "%1 in image file '%2' have been restored to the disk/drive successfully!";

// The batch entry dialog.
inline constexpr char kSelDriveTitle[] = "Add Drive/Disk";
inline constexpr char kSelDriveInstruction[] =
    "Choose the drive or disk to be imaged and the image file to create from it:";
inline constexpr char kSelDriveOk[] = "&OK";
inline constexpr char kSelDriveCancel[] = "&Cancel";
inline constexpr char kHintSelDriveOk[] = "Add drive/disk and output file name to batch clone list";
inline constexpr char kHintCloseWindow[] = "Close window";
inline constexpr char kDriveAlreadyListed[] = "Drive or disk already exists in the list!";
