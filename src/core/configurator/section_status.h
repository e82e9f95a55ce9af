#pragma once
// What the configurator's window shows for its four sections: the colour of each section's
// stripe and path box, which buttons are enabled, which configure buttons blink, and when
// "I'm ready to compile Android apps with Vexlo!" becomes available.
#include <string>
#include <vector>

#include "core/build/tool_config.h"
#include "core/configurator/api_targets.h"

namespace configurator {

enum class stripe_colour { unchanged, red, orange, green };

struct section_view {
    bool path_known = false;  // path box pale green with the path; pink (text kept) otherwise
    std::string path;
    stripe_colour stripe = stripe_colour::unchanged;
};

struct status_view {
    section_view jdk, sdk, ant, keystore;
    bool enable_create_keystore = false;     // "Create a new keystore": the JDK is known
    bool enable_configure_sdk = false;       // the SDK is known
    bool enable_configure_keystore = false;  // a keystore file is known
    bool sdk_face_set = false;               // the configure buttons show "BTNSET" for good
    bool keystore_face_set = false;
    bool ready = false;  // enable the ready button (never disabled again)
    // The states and the target id as the refresh leaves them.
    int sdk_state = 0;
    int api_target_id = 0;
    int keystore_state = 0;
};

// The status refresh: evaluates the SDK state against the targets found at start-up (one
// target is taken; several need the chosen id) and the keystore state, then the colours.
status_view compute_status(const build::tool_config& config,
                           const std::vector<api_target>& targets);

// The face a configure button shows at a timer tick: blinking between "BTNSET" (phase 1) and
// "BTNNUL" (phase 0) while its section is present but not confirmed (state 0); "" leaves it.
const char* blink_face(int state, int blink_phase);

}  // namespace configurator
