// The search window's texts. Placeholders are filled with QString::arg.
#pragma once

namespace search_text {

inline constexpr char kBanner[] = "Search for source image files to be restored ";
inline constexpr char kFileNamePrompt[] = "S&earch for files named:";
inline constexpr char kDirectoryPrompt[] = "Loo&k in:";
inline constexpr char kFileFilter[] = "Disk/Drive image files (*.img)|*.img";
inline constexpr char kLocalHardDrives[] = "Local Harddrives (%1)";
inline constexpr char kSelectDir[] = "...";
inline constexpr char kRecurseSubDirs[] = "Search Su&bfolders";
inline constexpr char kStartSearch[] = "&Start Search";
inline constexpr char kStopSearch[] = "&Stop Search";
inline constexpr char kAdvOptionsPrompt[] = "Advanced O&ptions";
inline constexpr char kExpand[] = "&+";
inline constexpr char kCollapse[] = "&-";

inline constexpr char kFileSize[] = "File Size";
inline constexpr char kMinSize[] = "A&t least";
inline constexpr char kMaxSize[] = "At &most";
inline constexpr char kKB[] = "KB";
inline constexpr char kFileAttr[] = "File Attributes";
inline constexpr char kReadOnly[] = "Re&ad only";
inline constexpr char kHidden[] = "Hidde&n";
inline constexpr char kSystem[] = "S&ystem";
inline constexpr char kArchive[] = "Archi&ve";
inline constexpr char kFileTime[] = "File Time";
inline constexpr char kCreatedIn[] = "C&reated in";
inline constexpr char kLastAccessedIn[] = "&Last Accessed in";
inline constexpr char kModifiedIn[] = "Mo&dified in";
inline constexpr char kDays[] = "days";

inline constexpr char kFilesFound[] = "%1 file(s) found";
inline constexpr char kSearchIn[] = "Search in";
inline constexpr char kConsumedTimePrompt[] = "Time consumed: ";
inline constexpr char kResultsPrompt[] = "Search Res&ults:";
inline constexpr char kColumnName[] = "Name";
inline constexpr char kColumnDirectory[] = "Directory";
inline constexpr char kColumnSize[] = "Size(bytes)";
inline constexpr char kColumnCreated[] = "Created";
inline constexpr char kColumnLastAccessed[] = "Last Accessed";
inline constexpr char kColumnLastModified[] = "Last Modified";

inline constexpr char kHelp[] = "&Help";
inline constexpr char kAddSelected[] = "&Add Selected";
inline constexpr char kSelectAll[] = "&Select All";
inline constexpr char kUnselectAll[] = "&Unselect All";
inline constexpr char kClose[] = "&Close";
inline constexpr char kSelectDirCaption[] = "Select Directory:";

inline constexpr char kSizeBoundsReversed[] = "For file size, at least value must be less than or "
                                              "equal to at most value! Please correct the values!";
inline constexpr char kSearchCompleted[] = "Search is completed. %1 file(s) found.";
inline constexpr char kSearchCancelled[] = "Search is cancelled by the user!";
inline constexpr char kNothingSelected[] =
    "Please select the file(s) to be restored from the search results!";
inline constexpr char kCancelAndClose[] = "Cancel the current search and close the search window?";

// Hints.
inline constexpr char kHintDirectory[] = "Select or input the folder where file is searched";
inline constexpr char kHintSelectDir[] = "Browse and select the folder where file is searched";
inline constexpr char kHintAdvOptions[] = "Show/Hide advanced search options";
inline constexpr char kHintFileSize[] = "Search criteria on file size";
inline constexpr char kHintMinSize[] = "If selected, file size must >= xxx KB";
inline constexpr char kHintMaxSize[] = "If selected, file size must <= xxx KB";
inline constexpr char kHintFileAttr[] = "Search criteria on file attributes";
inline constexpr char kHintReadOnly[] = "If selected, file must be read-only";
inline constexpr char kHintHidden[] = "If selected, only hidden file will be searched";
inline constexpr char kHintSystem[] = "If selected, only system file will be searched";
inline constexpr char kHintArchive[] = "If selected, only archive file will be searched";
inline constexpr char kHintFileTime[] = "Search criteria on file time";
inline constexpr char kHintCreatedTime[] = "If selected, file must be created in specified days";
inline constexpr char kHintLastAccessedTime[] =
    "If selected, file is last accessed in specified days";
inline constexpr char kHintModifiedTime[] = "If selected, file must be modified in specified days";
inline constexpr char kHintAddSelected[] = "Close search window and add selected found files";
inline constexpr char kHintSelectAll[] = "Select all found files";
inline constexpr char kHintUnselectAll[] = "Unselect all found files";
inline constexpr char kHintClose[] = "Close search window without adding any found files";

} // namespace search_text
