#pragma once
// "Keystore details": the owner's name, organisation and place that go into a new key.
#include <windows.h>

#include "core/configurator/keystore_creation.h"

enum keystore_details_id : int {
    id_details_full_name = 1011,
    id_details_organisation_name = 1012,
    id_details_organisation_unit = 1013,
    id_details_city = 1015,
    id_details_state = 1016,
    id_details_country = 1017,
};

// Shows the dialog with its sample values; on "OK" the typed values are merged into details
// (an empty box keeps what was there) and 1 is returned; 0 when cancelled.
int keystore_details_dialog(HWND owner, configurator::owner_details& details);
