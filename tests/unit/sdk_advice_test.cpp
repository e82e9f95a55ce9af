// What the SDK levels mean for phones and publishing, and the one pair Apply refuses.
#include <gtest/gtest.h>

#include "apply_support.h"
#include "core/project/apply_changes.h"
#include "core/project/apply_report.h"
#include "core/project/sdk_advice.h"
#include "test_support.h"

using namespace project;

TEST(SdkAdvice, EachPairOfLevelsAndDay) {
    struct row {
        const char* min;
        const char* target;
        const char* today;
        std::size_t min_lines, target_lines;
        const char* target_starts;  // the first target line, "" for none
    };
    const row rows[] = {
        {"21", "35", "2026-12-08", 0, 0, ""},
        {"21", "34", "2025-08-30", 0, 0, ""},  // the day before 35 applies
        {"21", "34", "2025-08-31", 0, 1,
         "Google Play takes new apps and updates only with a "
         "target SDK of 35 or more (since 2025-08-31)"},
        {"9", "22", "2026-12-08", 0, 2, "A target SDK below 23: Android 14 and later refuse"},
        {"9", "22", "2019-01-01", 0, 1, "A target SDK below 23"},  // before any store minimum
        {"26", "25", "2026-12-08", 1, 2, "The min SDK (26) is above the target SDK (25)"},
        {" 7 ", "16 ", "", 0, 1, "A target SDK below 23"},  // no day known: no store advice
        {"", "", "2026-12-08", 0, 0, ""},
        {"x", "1e3", "2026-12-08", 0, 0, ""},
        {"99999", "30", "2026-12-08", 0, 1, "Google Play"},  // not a level: no comparison
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::string(r.min) + "/" + r.target + " on " + r.today);
        const sdk_advice a = advice_for_levels(r.min, r.target, r.today);
        EXPECT_EQ(a.min_sdk.size(), r.min_lines);
        ASSERT_EQ(a.target_sdk.size(), r.target_lines);
        if (r.target_lines > 0) {
            EXPECT_EQ(a.target_sdk[0].rfind(r.target_starts, 0), 0u) << a.target_sdk[0];
        }
    }
    const sdk_advice low = advice_for_levels("9", "22", "2026-12-08");
    EXPECT_EQ(target_sdk_tooltip(low),
              "Target SDK: the Android API level the app is made and tested for.|A target SDK "
              "below 23: Android 14 and later refuse to install the app.|Google Play takes new "
              "apps and updates only with a target SDK of 35 or more (since 2025-08-31): this one "
              "cannot be published there.");
    EXPECT_EQ(min_sdk_tooltip(low), "Min SDK: the oldest Android API level the app installs on.");
}

TEST(SdkAdvice, CompileOutcomeSaysItOncePerProjectAndLevels) {
    const std::vector<std::string> all = {"v1", "v2", "v3"}, v1 = {"v1"};
    EXPECT_EQ(compile_advice("21", "35", "2026-12-08", all), "");
    EXPECT_EQ(compile_advice("21", "35", "2026-12-08", v1),
              "The APK carries only a v1 signature: Android 11 and later refuse it for an app that "
              "targets API 30 or more.");
    EXPECT_EQ(compile_advice("9", "29", "2026-12-08", v1).find("v1 signature"), std::string::npos);
    EXPECT_EQ(compile_advice("9", "22", "2026-12-08", all),
              "A target SDK below 23: Android 14 and later refuse to install the app.\rGoogle "
              "Play takes new apps and updates only with a target SDK of 35 or more (since "
              "2025-08-31): this one cannot be published there.");
    advice_memory memory;
    EXPECT_TRUE(memory.first_time("C:\\P\\", "9", "22"));
    EXPECT_FALSE(memory.first_time("c:\\p\\", " 9", "22"));  // the same folder and levels
    EXPECT_TRUE(memory.first_time("C:\\P\\", "9", "23"));
    EXPECT_TRUE(memory.first_time("C:\\Q\\", "9", "22"));
}

TEST(SdkAdvice, ApplyRefusesAMinAboveTheTargetOnlyWhenTheLevelsChange) {
    testing_support::scratch_folder dir;
    const std::string manifest =
        "<manifest package=\"com.example.app\" android:versionCode=\"1\">\n"
        "<uses-sdk android:minSdkVersion=\"26\" android:targetSdkVersion=\"25\" />\n</manifest>\n";
    dir.write("AndroidManifest.xml", manifest);
    const project_state before = testing_support::loaded_record(dir.path());
    project_state edited = before;
    edited.min_sdk = "27";
    const apply_result refused = testing_support::apply_edits(before, edited);
    EXPECT_EQ(problems_text(refused),
              "The min SDK (27) is above the target SDK (25): the build refuses such a project. "
              "Lower the min SDK or raise the target SDK. Nothing was changed.");
    EXPECT_EQ(dir.read("AndroidManifest.xml"), manifest);
    // A project that already holds such levels still takes other changes.
    edited = before;
    edited.version_code = "2";
    EXPECT_TRUE(testing_support::apply_edits(before, edited).succeeded());
    edited = before;
    edited.target_sdk = "30";
    EXPECT_TRUE(testing_support::apply_edits(before, edited).succeeded());
}
