#pragma once
// The configurator's own way of reading the tool configuration file (falling back to the
// tool detection for what the file does not name usably) and of writing it when it closes.
#include <string>
#include <vector>

#include "core/build/tool_config.h"
#include "core/configurator/api_targets.h"
#include "core/configurator/tool_detection.h"

namespace configurator {

// Reads "Vexlo.cfg": a JDK or SDK path that fails its check is replaced by detection (an SDK
// that stays unknown sets the SDK state to -1); an empty Ant path is detected, a wrong one
// stays empty. The keystore's alias and password are read but not trusted: the keystore state
// stays 0 until the API check confirms them (-1 without a keystore file). build_tools_path is
// not read.
build::tool_config read_configurator_config(const std::string& config_file,
                                            const detection_places& places);

// Writes what the configurator holds. The build-tools folder follows the description of the
// chosen target among the targets found at start-up (none when the id is not among them).
// False when the file could not be written: it then holds what it held before.
bool write_configurator_config(const std::string& config_file, const build::tool_config& config,
                               const std::vector<api_target>& targets);
// What the user is told when that happened.
std::string config_not_saved_text(const std::string& config_file);

}  // namespace configurator
