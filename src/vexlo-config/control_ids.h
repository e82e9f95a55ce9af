#pragma once

namespace vexlo_config {
// Control ids and the timer of the configurator's main window.

enum main_window_id : int {
    id_plain_text = 1000,  // separator lines (shared id)
    id_jdk_link = 1001,
    id_sdk_link = 1002,
    id_ant_link = 1003,
    id_welcome = 1005,
    id_description = 1006,  // the plain description texts (shared id)
    id_jdk_title = 1007,
    id_sdk_title = 1008,
    id_ant_title = 1009,
    id_keystore_title = 1010,
    id_jdk_path = 1011,
    id_sdk_path = 1012,
    id_ant_path = 1013,
    id_keystore_path = 1014,
    id_jdk_detect = 1015,
    id_sdk_detect = 1016,
    id_ant_detect = 1017,
    id_jdk_browse = 1018,
    id_sdk_browse = 1019,
    id_ant_browse = 1020,
    id_keystore_browse = 1021,
    id_create_keystore = 1022,
    id_ready = 1023,
    id_configure_sdk = 1026,
    id_configure_keystore = 1027,
    id_jdk_stripe = 1028,
    id_sdk_stripe = 1029,
    id_ant_stripe = 1030,
    id_keystore_stripe = 1031,
    id_jdk_picture = 1033,
    id_sdk_picture = 1034,
    id_ant_picture = 1035,
    id_keystore_picture = 1036,
};

// The main window's timer: blinking, the first tick's API check and the chooser.
inline constexpr unsigned kMainTimer = 1424;
inline constexpr unsigned kMainTimerPeriod = 500;
// The first tick, due just after the window has painted itself for the first time.
inline constexpr unsigned kFirstTickTimer = 1425;
// The one-second pause of the autodetect commands (one timer per section).
inline constexpr unsigned kDetectTimerBase = 1500;

inline constexpr int kClientWidth = 523;
inline constexpr int kClientHeight = 506;

}  // namespace vexlo_config
