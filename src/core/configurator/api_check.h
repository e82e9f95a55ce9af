#pragma once
// The API check the configurator runs once at start-up: it confirms a configured keystore's
// alias and password, lists the SDK's API targets and applies the level-18 rule to them. The
// tools are run by a host, so the steps and decisions are the same in tests and in the program.
#include <string>
#include <vector>

#include "core/build/tool_config.h"
#include "core/configurator/api_targets.h"

namespace configurator {

enum class api_warning { none, one_too_low, none_acceptable, chosen_too_low };

// What the rule decides for the SDK section.
struct api_rule_outcome {
    bool sets_sdk_state = false;  // false: the SDK state stays as it was
    int sdk_state = 0;
    int api_target_id = 0;      // the target id afterwards
    bool open_chooser = false;  // the chooser opens at the next timer tick
    api_warning warning = api_warning::none;
    std::string warning_text;    // "" when no warning is shown
    bool readiness_step = true;  // false: the check ends before looking at readiness
};

// The rule by the number of targets: one target is taken when it is acceptable; several need
// a chosen id that names an acceptable one; none (or none acceptable) send the user to the
// chooser. A chosen id that names no target leaves the state alone.
api_rule_outcome apply_api_rule(const std::vector<api_target>& targets, int api_target_id);

// The warning texts; D is the description of the target concerned. The chooser's own warning
// ends with "Please choose a higher Android API." instead of the advice to open the Guide.
std::string one_api_too_low_text(const std::string& description);
std::string no_acceptable_api_text();
std::string chosen_api_too_low_text(const std::string& description, bool in_chooser);

// Runs the tools for the check. Every call may take seconds; stopped() becomes true when the
// window the check belongs to has gone, and the steps end there.
class api_check_host {
public:
    virtual ~api_check_host() = default;
    enum class alias_answer { fits, does_not_fit, not_checked };
    virtual alias_answer check_keystore(const std::string& keystore, const std::string& alias,
                                        const std::string& password) = 0;
    // The captured output of "android list targets", or "**ERROR WRITING**".
    virtual std::string list_targets() = 0;
    virtual bool stopped() const = 0;
};

struct api_check_result {
    bool stopped = false;  // the window went away: nothing is to be applied
    bool keystore_checked = false;
    int keystore_state = 0;       // when checked: 1 fits, 0 not
    bool sdk_known = true;        // false: no SDK folder, the SDK state becomes -1
    bool targets_listed = false;  // false: the list stays as it was
    std::vector<api_target> targets;
    api_rule_outcome rule;  // meaningful when targets were listed
};

// The check's steps on a copy of the configuration; the caller applies the result.
api_check_result run_api_check(const build::tool_config& config, api_check_host& host);

// Applies a finished check to the configuration and the target list; true when the ready
// button may be enabled afterwards.
bool apply_api_check(const api_check_result& result, build::tool_config& config,
                     std::vector<api_target>& targets, bool& open_chooser_pending);

}  // namespace configurator
