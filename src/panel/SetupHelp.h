// The setup dialog's help strip: its general texts per link mode.
#pragma once

namespace dazi {

inline constexpr const char* kFileModeHelp =
    "Select the Drive and Directory Folder where the ZOR Server software is installed and set the "
    "Stay On Top option as desired or select TCP/IP Mode. Then select OK to accept or Cancel to "
    "abort.";
inline constexpr const char* kTcpIpModeHelp =
    "Change the IP Address and/or IP Port and set the Stay On Top option as desired or select "
    "File Mode. Then select OK to accept or Cancel to abort.";

}  // namespace dazi
