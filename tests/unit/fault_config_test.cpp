// The configurator's files under faults, one table each: the keystore it creates and the
// configuration file it writes. Each ends with the files as they were (or as the configurator
// makes them), or changed in exactly the files its message names, and nothing else touched.
#include <gtest/gtest.h>

#include "core/configurator/configurator_config.h"
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

TEST(FaultConfig, ConfigurationFile) {
    const auto make = [](const std::string& folder) {
        platform::write_file(folder + "Vexlo.cfg",
                             "[Config]\r\njdk_path=C:\\old-jdk\r\nant_path=C:\\ant\r\n");
    };
    const auto save = [](const std::string& folder) -> operation_result {
        build::tool_config config;
        config.jdk_path = "C:\\jdk";
        config.keystore_path = "C:\\keys\\release.jks";
        config.keystore_alias = "demo";
        config.keystore_password = "secret";
        const std::string file = folder + "Vexlo.cfg";
        if (write_configurator_config(file, config, {})) return {"", {}};
        return {config_not_saved_text(file), {}};
    };
    const std::string cfg = "Vexlo.cfg";
#ifdef _WIN32
    // The system's profile calls take no path longer than MAX_PATH.
    const fault_row long_path{scenario::long_path, "", expect::before, cfg};
#else
    const fault_row long_path{scenario::long_path, "", expect::after, ""};
#endif
    run_fault_table({{scenario::read_only_file, cfg, expect::before, cfg},
                     {scenario::read_only_folder, "", expect::before, cfg},
                     {scenario::held_open, cfg, expect::before, cfg},
                     {scenario::disk_full, "", expect::before, cfg},
                     {scenario::link_outside, cfg, expect::after, ""},
                     long_path},
                    make, save, "");
}
