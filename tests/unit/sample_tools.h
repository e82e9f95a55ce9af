#pragma once
// The tool folders of a typical machine, as the build texts name them.
#include "core/build/tool_config.h"

namespace testing_support {

inline build::tool_config sample_tools() {
    build::tool_config t;
    t.jdk_path = "C:\\Program Files\\Java\\jdk1.8.0_151";
    t.android_sdk_path = "C:\\Android\\sdk";
    t.build_tools_path = "C:\\Android\\sdk\\build-tools\\23.0.3";
    t.ant_path = "C:\\Vexlo\\apache-ant";
    t.api_target_id = 7;
    return t;
}

}  // namespace testing_support
