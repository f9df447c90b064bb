// The texts of the update check and the installer download. Placeholders
// are filled with QString::arg.
#pragma once

namespace update_text {

// Where the update information is published.
inline constexpr char kUpdateInfoUrl[] = "https://www.tolvane.example/update/vorlik/vorlik.inf";

inline constexpr char kCheckUpdateTitle[] = "Check for Update...";
inline constexpr char kCheckUpdateWait[] = "Check for product updates. Please wait ...";
inline constexpr char kClose[] = "&Close";

inline constexpr char kNewVersionTitle[] = "New Version Available";
inline constexpr char kNewVersionPrompt[] =
    "<B>A new version(%1) is available. Please find the what's new information below:</B>";
inline constexpr char kUpgradePrompt[] = "<B>Would you like to upgrade to the latest version?</B>";
inline constexpr char kNoWhatsNew[] = "Sorry but no what's new information available!";
inline constexpr char kYes[] = "&Yes";
inline constexpr char kNo[] = "&No";

inline constexpr char kDownloadTitle[] = "Download File...";
inline constexpr char kDownloadProgress[] =
    "Download file from %1 ...<BR><BR><B>%2 bytes downloaded</B>";
inline constexpr char kAbort[] = "&Abort";
inline constexpr char kAskAbortDownload[] = "Would you like to abort the download process?";
inline constexpr char kDownloadFailed[] = "Error: Download failed!";
inline constexpr char kAskInstall[] =
    "Download completed successfully. Would you like to install the latest version now?";
inline constexpr char kCannotLaunch[] = "Error: Cannot launch the installer!";

} // namespace update_text
