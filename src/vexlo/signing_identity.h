#pragma once
// The signing identity of the loaded project: the keystore (app().keystore_file, emptied by
// every load and by "Create batch"), the key alias and the password.
#include <windows.h>

#include <string>

#include "core/build/compile_pipeline.h"

namespace winui {
class tool_job;
}  // namespace winui

namespace vexlo {

struct signing_secrets {
    std::string key_alias;
    std::string key_password;
};
signing_secrets& signing();

// The identity as it stands.
build::signing_identity current_identity();

// Settles the identity (kept from before, read back from BuildAPK.bat, the configured keystore
// or another one the user picks), proves it with keytool and writes the Ant properties file
// into the temporary folder. True when done, false when the user cancelled or it cannot be
// done.
// keytool runs in the given job when there is one, so a build that follows shares its
// command interpreter.
bool choose_signing_identity(HWND owner, winui::tool_job* job = nullptr);

}  // namespace vexlo
