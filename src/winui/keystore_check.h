#pragma once
// Proves that an alias and a password fit a keystore: "keytool -changealias" renames the key in
// a throw-away copy that lives in a per-user temporary folder, so the real keystore is never
// touched and the check works when the program folder is read-only.
#include <string>

#include "core/build/command_runner_text.h"
#include "core/build/compile_identity.h"
#include "core/build/tool_config.h"

namespace winui {

class tool_job;

// Runs on the calling thread, serving its window messages while keytool runs. The outcome of
// the run is handed back for the message of a check that could not happen. A job given runs
// keytool with the job's command interpreter (the build that follows uses it too).
build::alias_check check_keystore_alias(const build::tool_config& tools,
                                        build::runner_variant variant,
                                        const std::string& keystore_file, const std::string& alias,
                                        const std::string& password,
                                        build::run_outcome* outcome = nullptr,
                                        tool_job* job = nullptr);

}  // namespace winui
