#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/shell/main_window_model.h"
#include "core/shell/position_file.h"
#include "core/shell/recent_projects.h"

using namespace shell;

namespace {
bool contains(const std::vector<int>& ids, int id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}
const auto always = [](const std::string&) { return true; };
}  // namespace

TEST(RecentProjects, NewestFirstAfterNoneLoaded) {
    const recent_list list = build_recent_list("C:\\A\r\nC:\\B\r\n\r\nC:\\C\r\n", "", always);
    EXPECT_EQ(list.entries, (std::vector<std::string>{kNoneLoaded, "C:\\C", "C:\\B", "C:\\A"}));
    EXPECT_EQ(list.selected, 0);
}

TEST(RecentProjects, SelectsTheLoadedFolderIgnoringCaseAndBackslashes) {
    const recent_list list = build_recent_list("C:\\A\r\nC:\\B\r\n", "c:\\a\\", always);
    EXPECT_EQ(list.entries, (std::vector<std::string>{"C:\\B", "C:\\A"}));
    EXPECT_EQ(list.selected, 1);
    EXPECT_EQ(build_recent_list("C:\\A\r\n", "C:\\Other\\", always).selected, 0);
}

TEST(RecentProjects, HidesMissingFoldersButKeepsThemInTheFile) {
    const auto exists = [](const std::string& f) { return f != "C:\\Gone"; };
    const recent_list list = build_recent_list("C:\\A\nC:\\Gone\nC:\\B", "", exists);
    EXPECT_EQ(list.entries, (std::vector<std::string>{kNoneLoaded, "C:\\B", "C:\\A"}));
}

TEST(RecentProjects, ListingAndAppending) {
    const std::vector<std::string> entries = {"C:\\Proj\\One"};
    EXPECT_TRUE(is_listed(entries, "c:\\proj\\one\\\\"));
    EXPECT_FALSE(is_listed(entries, "C:\\Proj\\On"));
    EXPECT_EQ(with_appended_folder("", "C:\\X\\"), "C:\\X\r\n");
    EXPECT_EQ(with_appended_folder("C:\\A", "C:\\X\\"), "C:\\A\r\nC:\\X\r\n");
    EXPECT_EQ(per_user_file("C:\\Data", "C:\\Apps\\Vexlo.exe", ".pos"), "C:\\Data\\Vexlo.pos");
}

TEST(PositionFile, RoundTripAndZeroMeansCentred) {
    EXPECT_EQ(format_position({120, -40}), "120\r\n-40\r\n");
    const auto p = parse_position("  120\r\n-40\r\n");
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->x, 120);
    EXPECT_EQ(p->y, -40);
    EXPECT_FALSE(parse_position("0\r\n0\r\n").has_value());
    EXPECT_FALSE(parse_position("").has_value());
    EXPECT_FALSE(parse_position("garbage").has_value());
}

TEST(MainWindowModel, FourDisplayStates) {
    const display_state start = start_state();
    EXPECT_EQ(start.enabled, (std::vector<int>{id_load, id_recent}));
    EXPECT_TRUE(contains(start.disabled, id_compile));
    EXPECT_TRUE(contains(start.disabled, id_apply));

    const display_state none = loaded_state(project::kind::no_manifest);
    EXPECT_EQ(none.icon_picture, "UNK");
    EXPECT_EQ(none.status, "This is not an Android project. Change the folder");
    EXPECT_EQ(none.pictures[3].base, "KEY0");

    const display_state android = loaded_state(project::kind::android);
    EXPECT_EQ(android.icon_picture, "OID");
    EXPECT_EQ(android.program_caption, "Edit the Manifest");
    EXPECT_EQ(android.picture_caption, "Add res/drawable image");
    EXPECT_EQ(android.pictures[3].base, "KEY1");
    EXPECT_EQ(android.pictures[6].base, "SAV0");
    EXPECT_EQ(android.disabled, (std::vector<int>{id_apply, id_discard}));

    const display_state basic = loaded_state(project::kind::basic);
    EXPECT_EQ(basic.icon_picture, "");
    EXPECT_EQ(basic.program_caption, "Update BASIC! program");
    EXPECT_EQ(basic.pictures[3].base, "UPD1");
    EXPECT_TRUE(contains(basic.enabled, id_permissions));
    EXPECT_FALSE(contains(basic.enabled, id_apply));
}

TEST(MainWindowModel, LayoutIdsAreUniqueExceptTheCaptions) {
    std::set<int> seen;
    for (const control_layout& c : main_window_layout()) {
        if (c.id == id_caption) continue;
        EXPECT_TRUE(seen.insert(c.id).second) << c.id;
    }
    // Every control a state of the window enables, disables or shows a picture in is laid out.
    const display_state states[] = {start_state(), loaded_state(project::kind::no_manifest),
                                    loaded_state(project::kind::android),
                                    loaded_state(project::kind::basic)};
    for (const display_state& state : states) {
        for (const std::vector<int>* ids : {&state.enabled, &state.disabled})
            for (int id : *ids) EXPECT_TRUE(seen.count(id)) << "no control " << id;
        for (const button_picture& p : state.pictures)
            EXPECT_TRUE(seen.count(p.box)) << "no picture box " << p.box;
    }
}

TEST(MainWindowModel, PendingRule) {
    EXPECT_TRUE(starts_pending(false, "New", "Old"));
    EXPECT_FALSE(starts_pending(false, "Old", "Old"));
    EXPECT_FALSE(starts_pending(true, "New", "Old"));
    EXPECT_FALSE(starts_pending(false, "Caf\xC3\xA9", "Caf\xE9"));  // shown decoded, unchanged
    EXPECT_TRUE(starts_pending(false, "old", "Old"));               // case-sensitive
}

TEST(MainWindowModel, TakeEditsStoresWholeValuesAndListsChangesInOrder) {
    project::project_state state;
    state.app_name = "Caf\xE9";
    state.version_code = "1";
    state.min_sdk = "9";
    edited_values edits{"Caf\xC3\xA9", "", "1.92.0-alpha01-nightly", "2", "123", ""};
    project::permission_flags choice{};
    choice[1] = true;
    const project::property_changes changes = take_edits(edits, choice, state);
    EXPECT_EQ(change_lines(changes),
              (std::vector<std::string>{"- project version number", "- project version code",
                                        "- project min SDK", "- project permissions"}));
    EXPECT_EQ(state.app_name, "Caf\xE9");  // original bytes kept
    EXPECT_EQ(state.version_name, "1.92.0-alpha01-nightly");
    EXPECT_EQ(state.min_sdk, "123");
    EXPECT_TRUE(state.saved_permissions[1]);
    EXPECT_FALSE(take_edits(edits, choice, state).any());  // the boxes now show the record
}

TEST(MainWindowModel, ApplyReport) {
    EXPECT_EQ(report_for({}).caption, "Apply changes");
    EXPECT_EQ(report_for({}).text, "No properties needed to be changed");
    const apply_report r = report_for({"- project name"});
    EXPECT_EQ(r.caption, "Changes applied");
    EXPECT_EQ(r.text, "The following properties have been correctly changed:\r- project name\r");
}

TEST(MainWindowModel, ApplyReportListsOnlyWhatWasWritten) {
    project::apply_result result;
    result.applied.version_code = true;
    EXPECT_EQ(report_for_apply(result).text,
              "The following properties have been correctly changed:\r- project version code\r");
    result.problems.push_back({project::apply_problem_kind::missing_place, "@string/appName"});
    const apply_report r = report_for_apply(result);
    EXPECT_EQ(r.caption, kProgramCaption);
    EXPECT_EQ(r.text,
              "Not all changes could be applied:\rNot written, the project has no place for it: "
              "@string/appName\r\rThe following properties have been changed:\r"
              "- project version code\r");
}
