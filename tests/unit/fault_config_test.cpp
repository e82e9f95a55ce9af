// The configurator's files under faults, one table each: the keystore it creates and the
// configuration file it writes. Each ends with the files as they were (or as the configurator
// makes them), or changed in exactly the files its message names, and nothing else touched.
#include <gtest/gtest.h>

#include "core/configurator/keystore_creation.h"
#include "core/configurator/keystore_replacement.h"
#include "unit/fault_scenarios.h"

using namespace configurator;
using namespace testing_support;

TEST(FaultConfig, KeystoreCreation) {
    const auto make = [](const std::string& folder) {
        platform::make_directories(folder + "keys");
        platform::write_file(folder + "keys\\release.jks", "keystore:old");
    };
    // keytool writes straight into its file, and leaves what it wrote when the disk fills up.
    keystore_tools tools;
    tools.generate = [](const std::string& path) { platform::write_file(path, "keystore:new"); };
    tools.opens = [](const std::string& path) {
        std::string bytes;
        return platform::read_file(path, bytes) && bytes == "keystore:new";
    };
    const auto create = [&tools](const std::string& folder) -> operation_result {
        const std::string path = folder + "keys\\release.jks";
        const keystore_making m = make_keystore(path, tools);
        if (m.outcome == keystore_made::created)
            return {keystore_created_text(m), {path, m.old_left_at}};
        std::vector<std::string> changed;
        for (const std::string& p : {m.kept_as, m.old_left_at, m.left_behind})
            if (!p.empty()) changed.push_back(p);
        if (!m.old_left_at.empty()) changed.push_back(path);
        return {keystore_problem_text(path, m, "keytool error"), changed};
    };
    const auto no_keystore_yet = [](const std::string& folder) {
        platform::remove_file(folder + "keys\\release.jks");
    };
    const std::string keystore = "keys\\release.jks";
    run_fault_table({{scenario::read_only_file, keystore, expect::before, keystore},
                     {scenario::read_only_folder, "keys", expect::as_reported, keystore},
                     {scenario::held_open, keystore, expect::as_reported, keystore},
                     {scenario::disk_full, "", expect::before, keystore, 0},
                     {scenario::disk_full, "", expect::before, keystore, 0, no_keystore_yet},
                     {scenario::link_outside, keystore, expect::after, ""},
                     {scenario::long_path, "", expect::after, ""}},
                    make, create, std::string(kKeystoreCreated));
}
