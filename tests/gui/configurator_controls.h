#pragma once
// The configurator's controls as the GUI and acceptance tests name them, by the programs' own
// ids: its main window, its API chooser and the keystore dialog.
#include "vexlo-config/api_chooser_ids.h"
#include "vexlo-config/control_ids.h"
#include "winui/keystore_ids.h"

namespace configurator_controls {

enum : int {
    jdk_path = vexlo_config::id_jdk_path,
    sdk_path = vexlo_config::id_sdk_path,
    ant_path = vexlo_config::id_ant_path,
    keystore_path = vexlo_config::id_keystore_path,
    jdk_detect = vexlo_config::id_jdk_detect,
    sdk_detect = vexlo_config::id_sdk_detect,
    ant_detect = vexlo_config::id_ant_detect,
    create_keystore = vexlo_config::id_create_keystore,
    ready = vexlo_config::id_ready,
    configure_sdk = vexlo_config::id_configure_sdk,
    configure_keystore = vexlo_config::id_configure_keystore,
    jdk_stripe = vexlo_config::id_jdk_stripe,
    sdk_stripe = vexlo_config::id_sdk_stripe,
    ant_stripe = vexlo_config::id_ant_stripe,
    keystore_stripe = vexlo_config::id_keystore_stripe,
    chooser_text = vexlo_config::api_chooser_ids::text,
    chooser_second_text = vexlo_config::api_chooser_ids::second_text,
    chooser_list = vexlo_config::api_chooser_ids::list,
    chooser_button = vexlo_config::api_chooser_ids::ok,  // the SDK manager picture in other modes
    chooser_change = vexlo_config::api_chooser_ids::change,
    keystore_alias = winui::keystore_ids::alias,
    keystore_password = winui::keystore_ids::password,
    keystore_confirm = winui::keystore_ids::confirm,
};

}  // namespace configurator_controls
