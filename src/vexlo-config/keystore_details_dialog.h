#pragma once
// "Keystore details": the owner's name, organisation and place that go into a new key.
#include <windows.h>

#include "core/configurator/keystore_creation.h"

namespace vexlo_config {

// Shows the dialog with its sample values; on "OK" the typed values are merged into details
// (an empty box keeps what was there) and true is returned; false when cancelled.
bool keystore_details_dialog(HWND owner, configurator::owner_details& details);

}  // namespace vexlo_config
