// The framework's texts. Placeholders are filled with QString::arg.
#pragma once

namespace pellin_text {

inline constexpr char kAppTitle[] = "Tolvane";
inline constexpr char kCloneTab[] = "&Clone";
inline constexpr char kBatchCloneTab[] = "&Batch Clone";
inline constexpr char kOptionsTab[] = "&Options";
inline constexpr char kAboutTab[] = "&About";
inline constexpr char kOptionsSubTab[] = "O&ptions";
inline constexpr char kAdvOptionsSubTab[] = "A&dvanced Options";

inline constexpr char kSelSrcFile[] = "Create image for &drive or disk:";
inline constexpr char kSelDstFile[] = "O&utput image file as:";
inline constexpr char kRepairLogPrompt[] = "Cloning process log:";
inline constexpr char kStartCloning[] = "&Start Cloning";
inline constexpr char kStopCloning[] = "&Stop Cloning";
inline constexpr char kSaveLog[] = "Save &Log";
inline constexpr char kProgress[] = "%1% completed";
inline constexpr char kConsumedTimePrompt[] = "Time consumed: ";
inline constexpr char kSaveFilter[] = "Disk/Drive image files (*.img)|*.img|All files (*.*)|*.*";

// Save &Log shares the page, so the list takes the next letter.
inline constexpr char kBatchListPrompt[] = "L&ist of drives or disks to be cloned:";
inline constexpr char kAddFiles[] = "Add Drive/Disk";
inline constexpr char kRemoveFiles[] = "Re&move Selected";
inline constexpr char kRemoveAll[] = "Remo&ve All";
inline constexpr char kColumnSource[] = "Source Drive or Disk";
inline constexpr char kColumnOutput[] = "Output image file as";
inline constexpr char kColumnStatus[] = "Cloning Status";

// The batch run.
inline constexpr char kAddToListFirst[] = "Please add drives or disks to the list first!";
inline constexpr char kStatusNotCloned[] = "Not Cloned";
inline constexpr char kStatusSuccessful[] = "Successful";
inline constexpr char kStatusFailed[] = "Failed";
inline constexpr char kStatusAborted[] = "Aborted";
inline constexpr char kStatusSkipped[] = "Skipped";
inline constexpr char kBatchLogStart[] = "Start batch cloning process ...";
inline constexpr char kBatchLogTotal[] = "Total disk(s) or drive(s) to be cloned: %1.";
inline constexpr char kBatchLogCompletes[] = "Batch cloning process completes.";
inline constexpr char kBatchSummary[] = "%1 drive(s) or disk(s) cloned successfully.";
inline constexpr char kSkipCloning[] = "Skip cloning '%1'.";

// The saved log names the option by its long-standing caption; the label
// itself takes a letter that the &Clone page button does not hold.
inline constexpr char kTempDirLabel[] = "Dire&ctory for temporary files:";
inline constexpr char kTempDirCaption[] = "Directory for &temporary files:";
inline constexpr char kBufSizeLabel[] = "I&nternal Processing Buffer Size:";
inline constexpr char kBytes[] = "Bytes";
inline constexpr char kAutoUpdate[] =
    "A&uto check and apply product updates"; // &About is beside it
inline constexpr char kSelectTempDir[] = "Select directory for temporary files:";

inline constexpr char kHelp[] = "&Help";
inline constexpr char kLikeUs[] = "Li&ke us on Facebook"; // Save &Log is on the same pages
inline constexpr char kFeedback[] = "&Feedback";
inline constexpr char kVersionPrompt[] = "Version:";
inline constexpr char kHomepagePrompt[] = "Product Homepage:";
inline constexpr char kSupportCenterPrompt[] = "Support Center:";
inline constexpr char kEmailPrompt[] = "Support E-Mail:";

// Hints.
inline constexpr char kHintCloneTab[] = "Create image from single drive or disk";
inline constexpr char kHintBatchTab[] = "Create images from a batch of drives or disks";
inline constexpr char kHintOptionsTab[] = "Set clone options";
inline constexpr char kHintAboutTab[] = "Detailed information about the product";
inline constexpr char kHintDstFile[] = "Input output image file name";
inline constexpr char kHintDstMore[] = "Browse and select output image file name";
inline constexpr char kHintAddFiles[] = "Add one or multiple drives or disks to list";
inline constexpr char kHintRemoveFiles[] = "Remove selected drives or disks from list";
inline constexpr char kHintRemoveAll[] = "Remove all drives and disks in list";

// The run of a single job.
inline constexpr char kSelectSource[] = "Please select drive or disk to be cloned!";
inline constexpr char kInputOutput[] = "Please input the output image file name!";
inline constexpr char kWarningExtension[] =
    "Warning 2: Extension of destination file '%1' is invalid! Still proceed?";
inline constexpr char kWarningMissingPath[] =
    "Warning 4: The path '%1' for destination file '%2' does not exist. Create it?";
inline constexpr char kWarningFileExists[] =
    "Warning 1: A file named '%1' already exists. Overwrite it?";
inline constexpr char kCannotCreateDir[] = "Cannot create the directory '%1'!";
inline constexpr char kAbortCloning[] = "Abort cloning '%1'.";
inline constexpr char kUserAborts[] = "User aborts the cloning process.";
inline constexpr char kFailToClone[] = "Fail to clone '%1'!";
inline constexpr char kCannotOpenFile[] = "Cannot open file '%1'!";
inline constexpr char kStopRunAndClose[] = "A run is in progress. Stop it and close Tolvane?";

// The process log.
inline constexpr char kLogStart[] = "Start cloning process ...";
inline constexpr char kLogSource[] = "Drive or disk to be cloned: '%1'; Total size: %2 bytes";
inline constexpr char kLogOutput[] = "Output image file as: '%1'";
inline constexpr char kLogCompletes[] = "Cloning process completes.";
inline constexpr char kLogInfoHeading[] = "Version, system and setting information:";
inline constexpr char kLogHeading[] = "Log:";

// The maker's pages.
inline constexpr char kHomepageUrl[] = "https://www.tolvane.example/";
inline constexpr char kSupportCenterUrl[] = "https://www.tolvane.example/support/";
inline constexpr char kSupportEmail[] = "support@tolvane.example";
inline constexpr char kSocialPageUrl[] = "https://www.tolvane.example/social/";
inline constexpr char kContactPageUrl[] = "https://www.tolvane.example/contact/";
inline constexpr char kCopyright[] = "Copyright (C) Tolvane developers. All rights reserved.";
inline constexpr char kLegalWarning[] =
    "Warning: this computer program is protected by copyright law and international treaties.";

} // namespace pellin_text
