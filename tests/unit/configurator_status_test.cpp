#include <gtest/gtest.h>

#include "core/configurator/section_status.h"

using namespace configurator;

namespace {

const std::vector<api_target> kOne23 = {{4, "Android 6.0 (API  23)"}};
const std::vector<api_target> kOne17 = {{4, "Android 4.2.2 (API  17)"}};
const std::vector<api_target> k16And19 = {{1, "Android 4.1.2 (API  16)"},
                                          {2, "Android 4.4.2 (API  19)"}};

build::tool_config complete(int keystore_state) {
    build::tool_config c;
    c.jdk_path = "C:\\jdk";
    c.android_sdk_path = "C:\\sdk";
    c.ant_path = "C:\\ant";
    c.keystore_path = "C:\\keys\\release.jks";
    c.keystore_state = keystore_state;
    return c;
}

build::tool_config nothing() {
    build::tool_config c;
    c.sdk_state = -1;
    c.keystore_state = -1;
    return c;
}

}  // namespace

TEST(ConfiguratorStatus, NothingConfiguredIsAllRed) {
    const status_view v = compute_status(nothing(), {});
    for (const section_view* s : {&v.jdk, &v.sdk, &v.ant, &v.keystore}) {
        EXPECT_EQ(s->stripe, stripe_colour::red);
        EXPECT_FALSE(s->path_known);
    }
    EXPECT_FALSE(v.enable_create_keystore);
    EXPECT_FALSE(v.enable_configure_sdk);
    EXPECT_FALSE(v.enable_configure_keystore);
    EXPECT_FALSE(v.ready);
    EXPECT_EQ(v.sdk_state, -1);
    EXPECT_EQ(v.keystore_state, -1);
}

TEST(ConfiguratorStatus, CompleteButUnconfirmedKeystoreIsOrangeAndNotReady) {
    const status_view v = compute_status(complete(0), kOne23);
    EXPECT_EQ(v.jdk.stripe, stripe_colour::green);
    EXPECT_EQ(v.sdk.stripe, stripe_colour::green);
    EXPECT_EQ(v.ant.stripe, stripe_colour::green);
    EXPECT_EQ(v.keystore.stripe, stripe_colour::orange);
    EXPECT_EQ(v.sdk_state, 1);
    EXPECT_EQ(v.api_target_id, 4);  // the only target is taken
    EXPECT_TRUE(v.sdk_face_set);
    EXPECT_FALSE(v.keystore_face_set);
    EXPECT_TRUE(v.enable_configure_keystore);
    EXPECT_TRUE(v.enable_create_keystore);
    EXPECT_FALSE(v.ready);
}

TEST(ConfiguratorStatus, ConfirmedKeystoreMakesItReady) {
    const status_view v = compute_status(complete(1), kOne23);
    EXPECT_EQ(v.keystore.stripe, stripe_colour::green);
    EXPECT_TRUE(v.keystore_face_set);
    EXPECT_TRUE(v.ready);
    EXPECT_EQ(v.keystore.path, "C:\\keys\\release.jks");
}

TEST(ConfiguratorStatus, OneLowTargetOrNoneLeavesTheSdkOrange) {
    EXPECT_EQ(compute_status(complete(1), kOne17).sdk.stripe, stripe_colour::orange);
    EXPECT_EQ(compute_status(complete(1), kOne17).sdk_state, 0);
    const status_view none = compute_status(complete(1), {});
    EXPECT_EQ(none.sdk.stripe, stripe_colour::orange);
    EXPECT_FALSE(none.ready);
    EXPECT_TRUE(none.enable_configure_sdk);
}

TEST(ConfiguratorStatus, SeveralTargetsFollowTheChosenId) {
    build::tool_config c = complete(1);
    EXPECT_EQ(compute_status(c, k16And19).sdk_state, 0);  // none chosen
    c.api_target_id = 2;
    EXPECT_EQ(compute_status(c, k16And19).sdk_state, 1);
    EXPECT_TRUE(compute_status(c, k16And19).ready);
    c.api_target_id = 1;
    EXPECT_EQ(compute_status(c, k16And19).sdk_state, 0);
    // An id the SDK does not list leaves the state as it was, stripe included.
    c.api_target_id = 9;
    c.sdk_state = 1;
    EXPECT_EQ(compute_status(c, k16And19).sdk_state, 1);
    c.sdk_state = -2;
    const status_view v = compute_status(c, k16And19);
    EXPECT_EQ(v.sdk_state, -2);
    EXPECT_EQ(v.sdk.stripe, stripe_colour::unchanged);
    EXPECT_TRUE(v.sdk.path_known);
}

TEST(ConfiguratorStatus, AnSdkSetDuringTheRunIsNoLongerMissing) {
    build::tool_config c = complete(1);
    c.sdk_state = -2;
    const status_view v = compute_status(c, {});  // no targets were found at start-up
    EXPECT_EQ(v.sdk_state, 0);
    EXPECT_EQ(v.sdk.stripe, stripe_colour::orange);
}

TEST(ConfiguratorStatus, MissingKeystoreIsRedAndItsStateMinusOne) {
    build::tool_config c = complete(1);
    c.keystore_path.clear();
    const status_view v = compute_status(c, kOne23);
    EXPECT_EQ(v.keystore.stripe, stripe_colour::red);
    EXPECT_EQ(v.keystore_state, -1);
    EXPECT_FALSE(v.enable_configure_keystore);
    EXPECT_FALSE(v.ready);
}

TEST(ConfiguratorStatus, EachMissingPathKeepsItFromBeingReady) {
    for (int i = 0; i < 3; ++i) {
        build::tool_config c = complete(1);
        (i == 0 ? c.jdk_path : i == 1 ? c.ant_path : c.android_sdk_path).clear();
        if (i == 2) c.sdk_state = -1;
        const status_view v = compute_status(c, kOne23);
        EXPECT_FALSE(v.ready) << i;
    }
    build::tool_config no_jdk = complete(1);
    no_jdk.jdk_path.clear();
    EXPECT_FALSE(compute_status(no_jdk, kOne23).enable_create_keystore);
    EXPECT_EQ(compute_status(no_jdk, kOne23).jdk.stripe, stripe_colour::red);
}

TEST(ConfiguratorStatus, ConfigureButtonsBlinkOnlyWhilePresentButUnconfirmed) {
    EXPECT_STREQ(blink_face(0, 1), "BTNSET");
    EXPECT_STREQ(blink_face(0, 0), "BTNNUL");
    EXPECT_STREQ(blink_face(1, 0), "");
    EXPECT_STREQ(blink_face(-1, 1), "");
    EXPECT_STREQ(blink_face(-2, 0), "");
}
