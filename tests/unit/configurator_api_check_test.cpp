#include <gtest/gtest.h>

#include "core/configurator/api_check.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"
#include "test_support.h"

using namespace configurator;

namespace {

const std::vector<api_target> kOne23 = {{1, "Android 6.0 (API  23)"}};
const std::vector<api_target> kOne17 = {{1, "Android 4.2.2 (API  17)"}};
const std::vector<api_target> k16And19 = {{1, "Android 4.1.2 (API  16)"},
                                          {2, "Android 4.4.2 (API  19)"}};
const std::vector<api_target> k14And16 = {{1, "Android 4.0 (API  14)"},
                                          {2, "Android 4.1.2 (API  16)"}};

// Plays the tools: a canned keytool answer and a canned target list, counting the calls.
class fake_host : public api_check_host {
public:
    alias_answer answer = alias_answer::fits;
    std::string targets_output;
    bool stop_after_keystore = false;
    int keystore_calls = 0, list_calls = 0;
    std::string checked_keystore, checked_alias, checked_password;

    alias_answer check_keystore(const std::string& keystore, const std::string& alias,
                                const std::string& password) override {
        ++keystore_calls;
        checked_keystore = keystore, checked_alias = alias, checked_password = password;
        if (stop_after_keystore) stopped_ = true;
        return answer;
    }
    std::string list_targets() override {
        ++list_calls;
        return targets_output;
    }
    bool stopped() const override { return stopped_; }

private:
    bool stopped_ = false;
};

build::tool_config complete_config() {
    build::tool_config c;
    c.jdk_path = "C:\\jdk";
    c.android_sdk_path = "C:\\sdk";
    c.ant_path = "C:\\ant";
    c.keystore_path = "C:\\keys\\release.jks";
    c.keystore_alias = "demo";
    c.keystore_password = "demo-pass";
    return c;
}

std::string fixture_text(const char* name) {
    std::string bytes;
    platform::read_file(testing_support::fixture(std::string("configurator\\") + name), bytes);
    return text::to_crlf_text(bytes);
}

}  // namespace

TEST(ConfiguratorApiRule, OneAcceptableTargetIsTaken) {
    const api_rule_outcome r = apply_api_rule(kOne23, 0);
    EXPECT_TRUE(r.sets_sdk_state);
    EXPECT_EQ(r.sdk_state, 1);
    EXPECT_EQ(r.api_target_id, 1);
    EXPECT_FALSE(r.open_chooser);
    EXPECT_EQ(r.warning, api_warning::none);
    EXPECT_TRUE(r.warning_text.empty());
}

TEST(ConfiguratorApiRule, OneTargetTooLowWarnsAndOpensTheChooser) {
    const api_rule_outcome r = apply_api_rule(kOne17, 0);
    EXPECT_EQ(r.sdk_state, 0);
    EXPECT_TRUE(r.sets_sdk_state);
    EXPECT_TRUE(r.open_chooser);
    EXPECT_EQ(r.warning, api_warning::one_too_low);
    EXPECT_EQ(r.api_target_id, 0);
    EXPECT_EQ(r.warning_text,
              "Android SDK Manager only has one API installed: Android 4.2.2 (API  17) which is "
              "lower than Android 4.3 (API 18).\r\rEven if your phone is using a lower Android "
              "version (e.g. Android 4.2.2 (API  17)), you need to compile with at least an "
              "Android 4.3 target (API 18).\rThere are mechanisms in the APK produced by "
              "Apkwright that will make it run correctly for devices using lower versions of "
              "Android.\r\rClick OK to open the SDK Manager from the Guide and install Android "
              "4.3 (API 18) or greater.");
}

TEST(ConfiguratorApiRule, NoTargetOpensTheChooserSilently) {
    const api_rule_outcome r = apply_api_rule({}, 5);
    EXPECT_EQ(r.sdk_state, 0);
    EXPECT_TRUE(r.open_chooser);
    EXPECT_EQ(r.warning, api_warning::none);
    EXPECT_EQ(r.api_target_id, 5);
}

TEST(ConfiguratorApiRule, SeveralNoneAcceptableWarnsAndSkipsReadiness) {
    const api_rule_outcome r = apply_api_rule(k14And16, 2);
    EXPECT_EQ(r.sdk_state, 0);
    EXPECT_TRUE(r.open_chooser);
    EXPECT_FALSE(r.readiness_step);
    EXPECT_EQ(r.warning, api_warning::none_acceptable);
    EXPECT_EQ(r.warning_text.substr(0, 60),
              "Android SDK Manager has several APIs installed but none equa");
    EXPECT_NE(r.warning_text.find("a lower version of Android.\r\rClick OK"), std::string::npos);
}

TEST(ConfiguratorApiRule, SeveralWithoutChoiceLetTheButtonBlinkWithoutChooser) {
    const api_rule_outcome r = apply_api_rule(k16And19, 0);
    EXPECT_TRUE(r.sets_sdk_state);
    EXPECT_EQ(r.sdk_state, 0);
    EXPECT_FALSE(r.open_chooser);
    EXPECT_EQ(r.warning, api_warning::none);
}

TEST(ConfiguratorApiRule, SeveralWithAStoredIdDecideByThatTarget) {
    const api_rule_outcome good = apply_api_rule(k16And19, 2);
    EXPECT_EQ(good.sdk_state, 1);
    EXPECT_TRUE(good.sets_sdk_state);
    EXPECT_EQ(good.warning, api_warning::none);
    EXPECT_EQ(good.api_target_id, 2);

    const api_rule_outcome low = apply_api_rule(k16And19, 1);
    EXPECT_EQ(low.sdk_state, 0);
    EXPECT_TRUE(low.open_chooser);
    EXPECT_EQ(low.warning, api_warning::chosen_too_low);
    EXPECT_EQ(low.warning_text.substr(0, 38), "You chose Android 4.1.2 (API  16) as y");
    EXPECT_NE(low.warning_text.find("Guide and choose a higher Android API."), std::string::npos);

    const api_rule_outcome unknown = apply_api_rule(k16And19, 9);
    EXPECT_FALSE(unknown.sets_sdk_state);
    EXPECT_FALSE(unknown.open_chooser);
    EXPECT_EQ(unknown.warning, api_warning::none);
    EXPECT_EQ(unknown.api_target_id, 9);
}

TEST(ConfiguratorApiRule, ChooserVariantOfTheTooLowWarning) {
    const std::string t = chosen_api_too_low_text("Android 4.1.2 (API  16)", true);
    EXPECT_EQ(t.substr(t.size() - 37), "\r\rPlease choose a higher Android API.");
    EXPECT_EQ(t.find("Click OK"), std::string::npos);
}

TEST(ConfiguratorApiCheck, CompleteConfigurationIsConfirmedAndReady) {
    fake_host host;
    host.targets_output = fixture_text("platforms_16_and_19.txt");
    build::tool_config c = complete_config();
    c.api_target_id = 2;
    const api_check_result r = run_api_check(c, host);
    EXPECT_EQ(host.keystore_calls, 1);
    EXPECT_EQ(host.checked_keystore, c.keystore_path);
    EXPECT_EQ(host.checked_alias, "demo");
    EXPECT_EQ(host.checked_password, "demo-pass");

    std::vector<api_target> targets;
    bool pending = false;
    EXPECT_TRUE(apply_api_check(r, c, targets, pending));
    EXPECT_EQ(c.keystore_state, 1);
    EXPECT_EQ(c.sdk_state, 1);
    EXPECT_EQ(targets.size(), 2u);
    EXPECT_FALSE(pending);
}

TEST(ConfiguratorApiCheck, WrongPasswordLeavesTheKeystoreUnconfirmed) {
    fake_host host;
    host.answer = api_check_host::alias_answer::does_not_fit;
    host.targets_output = fixture_text("platforms_16_and_19.txt");
    build::tool_config c = complete_config();
    c.keystore_state = 1;
    std::vector<api_target> targets;
    bool pending = false;
    EXPECT_FALSE(apply_api_check(run_api_check(c, host), c, targets, pending));
    EXPECT_EQ(c.keystore_state, 0);
}

TEST(ConfiguratorApiCheck, KeystoreWithoutAliasOrPasswordIsNotChecked) {
    fake_host host;
    host.targets_output = fixture_text("platforms_16_and_19.txt");
    build::tool_config c = complete_config();
    c.keystore_password.clear();
    const api_check_result r = run_api_check(c, host);
    EXPECT_EQ(host.keystore_calls, 0);
    EXPECT_FALSE(r.keystore_checked);
    EXPECT_EQ(host.list_calls, 1);
}

TEST(ConfiguratorApiCheck, NoSdkMakesTheSectionMissingWithoutListing) {
    fake_host host;
    build::tool_config c = complete_config();
    c.android_sdk_path.clear();
    std::vector<api_target> targets = {{7, "kept"}};
    bool pending = false;
    EXPECT_FALSE(apply_api_check(run_api_check(c, host), c, targets, pending));
    EXPECT_EQ(host.list_calls, 0);
    EXPECT_EQ(c.sdk_state, -1);
    EXPECT_EQ(c.keystore_state, 1);  // the keystore was still confirmed
    EXPECT_EQ(targets.size(), 1u);
}

TEST(ConfiguratorApiCheck, RunnerFailureLeavesOnePlaceholderTarget) {
    fake_host host;
    host.targets_output = "**ERROR WRITING**";
    build::tool_config c = complete_config();
    std::vector<api_target> targets;
    bool pending = false;
    EXPECT_FALSE(apply_api_check(run_api_check(c, host), c, targets, pending));
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(targets[0].id, 0);
    EXPECT_EQ(targets[0].description, "**ERROR WRITING**");
    EXPECT_EQ(c.sdk_state, 0);
    EXPECT_FALSE(pending);
}

TEST(ConfiguratorApiCheck, OnePlatformBelow18WithAnAddOnAbove) {
    fake_host host;
    host.targets_output = fixture_text("one_platform_17_addon_19.txt");
    build::tool_config c = complete_config();
    const api_check_result r = run_api_check(c, host);
    EXPECT_EQ(r.rule.warning, api_warning::one_too_low);
    std::vector<api_target> targets;
    bool pending = false;
    EXPECT_FALSE(apply_api_check(r, c, targets, pending));
    EXPECT_TRUE(pending);
    EXPECT_EQ(c.sdk_state, 0);
}

TEST(ConfiguratorApiCheck, AStoppedCheckChangesNothing) {
    fake_host host;
    host.stop_after_keystore = true;
    host.targets_output = fixture_text("platforms_16_and_19.txt");
    build::tool_config c = complete_config();
    const api_check_result r = run_api_check(c, host);
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(host.list_calls, 0);
    std::vector<api_target> targets;
    bool pending = false;
    EXPECT_FALSE(apply_api_check(r, c, targets, pending));
    EXPECT_EQ(c.keystore_state, 0);
    EXPECT_EQ(c.sdk_state, 0);
    EXPECT_TRUE(targets.empty());
}
