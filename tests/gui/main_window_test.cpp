// The main window of Vexlo.exe driven through window messages, as a user would.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "core/shell/main_window_model.h"
#include "core/shell/recent_projects.h"
#include "gui/gui_driver.h"
#include "vexlo/permissions_ids.h"
#include "gui/ready_config.h"
#include "platform/platform.h"
#include "unit/test_support.h"

using namespace shell;
using gui::write_ready_config;

namespace {

std::string user_file(const char* extension) {
    return per_user_file(platform::user_data_folder(), "Vexlo.exe", extension);
}

class MainWindow : public testing::Test {
protected:
    void SetUp() override {
        platform::remove_file(user_file(".recent.projects"));
        platform::remove_file(user_file(".pos"));
        write_ready_config(tools_.path());
    }
    void TearDown() override {
        program_.reset();
        platform::remove_file(user_file(".recent.projects"));
        platform::remove_file(user_file(".pos"));
    }
    void write_recent(const std::string& text) {
        platform::make_directories(platform::user_data_folder());
        platform::write_file(user_file(".recent.projects"), text);
    }
    HWND start() {
        program_ = std::make_unique<gui::running_program>(gui::bin_folder() + "Vexlo.exe");
        HWND window = gui::wait_window(program_->pid(), kWindowCaption);
        EXPECT_NE(window, nullptr);
        return window;
    }
    // Loads a folder through the recent-projects list (it must be listed).
    void choose(HWND window, const std::string& folder) {
        const auto items = gui::combo_items(window, id_recent);
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i] == folder) {
                gui::combo_choose(window, id_recent, static_cast<int>(i));
                gui::settle(window);
                return;
            }
        ADD_FAILURE() << "not listed: " << folder;
    }
    std::string fixture_copy(const char* name) {
        return testing_support::without_trailing(testing_support::copy_fixture(name, scratch_));
    }

    testing_support::scratch_folder scratch_;
    testing_support::scratch_folder tools_;
    std::unique_ptr<gui::running_program> program_;
};

const int kProjectControls[] = {id_duplicate,    id_gitignore,   id_picture,    id_program,
                                id_res_folder,   id_src_folder,  id_clean,      id_batch,
                                id_compile,      id_package,     id_app_name,   id_version_name,
                                id_version_code, id_permissions, id_min_updown, id_target_updown};

void click_updown(HWND window, int id, bool up) {
    HWND updown = GetDlgItem(window, id);
    RECT r{};
    GetClientRect(updown, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, up ? 2 : r.bottom - 3);
    SendMessageW(updown, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(updown, WM_LBUTTONUP, 0, at);
    gui::settle(window);
}

}  // namespace

TEST_F(MainWindow, StartsWithOnlyLoadAndTheListEnabled) {
    HWND w = start();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(gui::item_text(w, id_status), "Please load a project with the \"Load\" button");
    EXPECT_TRUE(gui::item_enabled(w, id_load));
    EXPECT_TRUE(gui::item_enabled(w, id_recent));
    for (int id : kProjectControls) EXPECT_FALSE(gui::item_enabled(w, id)) << id;
    EXPECT_FALSE(gui::item_enabled(w, id_apply));
    EXPECT_FALSE(gui::item_enabled(w, id_discard));
    EXPECT_EQ(gui::combo_items(w, id_recent), std::vector<std::string>{kNoneLoaded});
    gui::combo_choose(w, id_recent, 0);  // "<none loaded>" does nothing
    gui::settle(w);
    EXPECT_EQ(gui::item_text(w, id_load), "Load");
    // The up-down's value boxes hold digits only and can never take focus: Tab from Load
    // reaches only what the user can see.
    for (int id : {id_min_sdk, id_target_sdk}) {
        HWND box = GetDlgItem(w, id);
        EXPECT_FALSE(IsWindowVisible(box)) << id;
        EXPECT_TRUE(GetWindowLongW(box, GWL_STYLE) & ES_NUMBER) << id;
    }
    HWND focus = GetDlgItem(w, id_load);
    for (int i = 0; i < 8; ++i) {
        focus = GetNextDlgTabItem(w, focus, FALSE);
        EXPECT_TRUE(IsWindowVisible(focus)) << GetDlgCtrlID(focus);
    }
    gui::screenshot(w, "main-no-project");
}

TEST_F(MainWindow, LoadsBasicAndPlainProjectsFromTheRecentList) {
    const std::string basic = fixture_copy("basic-project");
    const std::string plain = fixture_copy("android-project");
    write_recent(plain + "\r\n" + basic + "\r\n\r\n" + scratch_.path() + "gone\r\n");
    HWND w = start();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(gui::combo_items(w, id_recent),
              (std::vector<std::string>{kNoneLoaded, basic, plain}));
    EXPECT_EQ(gui::combo_selection(w, id_recent), 0);

    choose(w, basic);
    EXPECT_EQ(gui::item_text(w, id_status), "This is an (Android) BASIC! based project");
    EXPECT_EQ(gui::item_text(w, id_app_name), "Demo Game");
    EXPECT_EQ(gui::item_text(w, id_package), "com.rfo.basic");
    EXPECT_EQ(gui::item_text(w, id_version_name), "01.91");
    EXPECT_EQ(gui::item_text(w, id_version_code), "1911");
    EXPECT_EQ(gui::item_text(w, id_min_label), "9");
    EXPECT_EQ(gui::item_text(w, id_target_label), "19");
    EXPECT_EQ(gui::item_text(w, id_picture), "Change BASIC! App icon");
    EXPECT_EQ(gui::item_text(w, id_program), "Update BASIC! program");
    EXPECT_EQ(gui::item_text(w, id_gitignore), "Create .gitignore file");
    EXPECT_EQ(gui::item_text(w, id_load), "Change");
    for (int id : kProjectControls) EXPECT_TRUE(gui::item_enabled(w, id)) << id;
    EXPECT_FALSE(gui::item_enabled(w, id_apply));
    // The list drops "<none loaded>" once a project is set and selects it.
    EXPECT_EQ(gui::combo_items(w, id_recent), (std::vector<std::string>{basic, plain}));
    EXPECT_EQ(gui::combo_selection(w, id_recent), 0);
    gui::screenshot(w, "main-basic-project");

    choose(w, plain);
    EXPECT_EQ(gui::item_text(w, id_status), "This is an Android (non-BASIC! based) project");
    EXPECT_EQ(gui::item_text(w, id_app_name), "Caf\xC3\xA9 Notes");  // the entity decoded
    EXPECT_EQ(gui::item_text(w, id_program), "Edit the Manifest");
    EXPECT_EQ(gui::item_text(w, id_picture), "Add res/drawable image");
    EXPECT_EQ(gui::item_text(w, id_gitignore), "Edit the .gitignore file");
    EXPECT_EQ(gui::combo_selection(w, id_recent), 1);  // already listed: order kept
    gui::screenshot(w, "main-android-project");

    // Reloading adds no line to the file.
    std::string recent;
    platform::read_file(user_file(".recent.projects"), recent);
    EXPECT_EQ(std::count(recent.begin(), recent.end(), '\n'), 4);
}

TEST_F(MainWindow, FolderWithoutManifestKeepsOldTextsDisabled) {
    const std::string basic = fixture_copy("basic-project");
    const std::string none = fixture_copy("no-manifest");
    write_recent(none + "\r\n" + basic + "\r\n");
    HWND w = start();
    ASSERT_NE(w, nullptr);
    choose(w, basic);
    choose(w, none);
    EXPECT_EQ(gui::item_text(w, id_status), "This is not an Android project. Change the folder");
    EXPECT_EQ(gui::item_text(w, id_app_name), "Demo Game");
    for (int id : kProjectControls) EXPECT_FALSE(gui::item_enabled(w, id)) << id;
    gui::screenshot(w, "main-not-android");
}

TEST_F(MainWindow, EditsMarkChangesPendingAndDiscardRestores) {
    const std::string basic = fixture_copy("basic-project");
    write_recent(basic + "\r\n");
    HWND w = start();
    ASSERT_NE(w, nullptr);
    choose(w, basic);
    gui::set_item_text(w, id_app_name, "Caf\xC3\xA9 \xE6\xB8\xB8\xE6\x88\x8F");
    EXPECT_TRUE(gui::item_enabled(w, id_apply));
    EXPECT_TRUE(gui::item_enabled(w, id_discard));
    EXPECT_EQ(gui::item_text(w, id_app_name), "Caf\xC3\xA9 \xE6\xB8\xB8\xE6\x88\x8F");
    gui::screenshot(w, "main-changes-pending");
    gui::set_item_text(w, id_app_name, "Demo Game");  // typing the old name back
    EXPECT_TRUE(gui::item_enabled(w, id_apply));

    gui::set_item_text(w, id_version_code, "2000");
    click_updown(w, id_min_updown, true);
    EXPECT_EQ(gui::item_text(w, id_min_label), "10");

    gui::click(w, id_discard);
    HWND box = gui::wait_message_box(program_->pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::window_text(box), "Discard changes");
    EXPECT_EQ(gui::message_text(box), "Are you sure ?");
    gui::answer(box, IDNO);
    EXPECT_TRUE(gui::item_enabled(w, id_apply));

    gui::click(w, id_discard);
    box = gui::wait_message_box(program_->pid());
    ASSERT_NE(box, nullptr);
    gui::answer(box, IDYES);
    gui::settle(w);
    EXPECT_EQ(gui::item_text(w, id_version_code), "1911");
    EXPECT_EQ(gui::item_text(w, id_min_label), "9");
    EXPECT_FALSE(gui::item_enabled(w, id_apply));
    EXPECT_FALSE(gui::item_enabled(w, id_discard));
}

TEST_F(MainWindow, SdkUpDownWrapsWithinOneToNinetyNine) {
    const std::string basic = fixture_copy("basic-project");
    write_recent(basic + "\r\n");
    HWND w = start();
    ASSERT_NE(w, nullptr);
    choose(w, basic);
    gui::set_item_text(w, id_target_sdk, "99");
    EXPECT_EQ(gui::item_text(w, id_target_label), "99");
    EXPECT_TRUE(gui::item_enabled(w, id_apply));
    click_updown(w, id_target_updown, true);
    EXPECT_EQ(gui::item_text(w, id_target_label), "1");
    click_updown(w, id_target_updown, false);
    EXPECT_EQ(gui::item_text(w, id_target_label), "99");
}

TEST_F(MainWindow, PermissionsDialogSelectAllThresholdsAndCancel) {
    const std::string basic = fixture_copy("basic-project");
    write_recent(basic + "\r\n");
    HWND w = start();
    ASSERT_NE(w, nullptr);
    choose(w, basic);
    gui::click(w, id_permissions);
    HWND d = gui::wait_window(program_->pid(), "App permissions");
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(gui::is_checked(d, vexlo::permissions_ids::first_box));  // write external storage
    EXPECT_FALSE(gui::is_checked(
        d, vexlo::permissions_ids::first_box + 3));  // mock location stands in a comment
    EXPECT_EQ(gui::item_text(d, vexlo::permissions_ids::first_box + 20), "Change wifi state");
    gui::screenshot(d, "permissions-dialog");
    gui::click_sync(d, vexlo::permissions_ids::select_all);  // 19 checked: clears all
    for (int i = 0; i < 21; ++i)
        EXPECT_FALSE(gui::is_checked(d, vexlo::permissions_ids::first_box + i));
    for (int i = 0; i < 10; ++i)
        SendMessageW(GetDlgItem(d, vexlo::permissions_ids::first_box + i), BM_SETCHECK, BST_CHECKED,
                     0);
    gui::click_sync(d, vexlo::permissions_ids::select_all);  // ten checked: checks all
    for (int i = 0; i < 21; ++i)
        EXPECT_TRUE(gui::is_checked(d, vexlo::permissions_ids::first_box + i));
    SendMessageW(GetDlgItem(d, vexlo::permissions_ids::first_box), BM_SETCHECK, BST_UNCHECKED, 0);
    gui::click(d, vexlo::permissions_ids::cancel);
    gui::wait_until([d] { return !IsWindow(d); }, 2000);
    EXPECT_FALSE(gui::item_enabled(w, id_apply));

    gui::click(w, id_permissions);  // OK without change marks nothing
    d = gui::wait_window(program_->pid(), "App permissions");
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(gui::is_checked(d, vexlo::permissions_ids::first_box));
    gui::click(d, vexlo::permissions_ids::ok);
    gui::wait_until([d] { return !IsWindow(d); }, 2000);
    EXPECT_FALSE(gui::item_enabled(w, id_apply));

    gui::click(w, id_permissions);  // OK with a change marks pending
    d = gui::wait_window(program_->pid(), "App permissions");
    ASSERT_NE(d, nullptr);
    SendMessageW(GetDlgItem(d, vexlo::permissions_ids::first_box + 18), BM_SETCHECK, BST_CHECKED,
                 0);
    gui::click(d, vexlo::permissions_ids::ok);
    gui::wait_until([d] { return !IsWindow(d); }, 2000);
    gui::settle(w);
    EXPECT_TRUE(gui::item_enabled(w, id_apply));
}

TEST_F(MainWindow, PositionIsSavedOnSystemCommandsAndRestored) {
    HWND w = start();
    ASSERT_NE(w, nullptr);
    SetWindowPos(w, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    gui::settle(w);
    SendMessageTimeoutW(w, WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    ASSERT_TRUE(program_->wait_exit(5000));
    std::string saved;
    ASSERT_TRUE(platform::read_file(user_file(".pos"), saved));
    EXPECT_EQ(saved, "120\r\n90\r\n");
    w = start();
    ASSERT_NE(w, nullptr);
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 90);
}

TEST_F(MainWindow, PositionOffAllScreensOpensCentred) {
    platform::make_directories(platform::user_data_folder());
    platform::write_file(user_file(".pos"), "30000\r\n20000\r\n");
    HWND w = start();
    ASSERT_NE(w, nullptr);
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_LT(r.left, 2000);
    EXPECT_GE(r.left, 0);
}

TEST(MainWindowStartUp, RefusesToStartWithIncompleteConfiguration) {
    testing_support::scratch_folder tools;
    const std::string cfg = gui::write_ready_config(tools.path());
    platform::remove_file(tools.path() + "ant\\bin\\ant.bat");  // Ant no longer where it was
    gui::running_program program(gui::bin_folder() + "Vexlo.exe");
    HWND box = gui::wait_message_box(program.pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::window_text(box), kProgramCaption);
    EXPECT_EQ(gui::message_text(box),
              "Build components not ready!\r\rPlease run Vexlo-config.exe\rand follow the "
              "instructions\runtil you can click the \"I'm\rready\" button at the bottom.");
    gui::screenshot(box, "startup-refused");
    gui::answer(box, IDOK);
    EXPECT_TRUE(program.wait_exit(5000));
    EXPECT_EQ(gui::wait_window(program.pid(), kWindowCaption, 300), nullptr);

    gui::remove_config();  // no file at all: refused the same way
    gui::running_program again(gui::bin_folder() + "Vexlo.exe");
    box = gui::wait_message_box(again.pid());
    ASSERT_NE(box, nullptr);
    gui::answer(box, IDOK);
    EXPECT_TRUE(again.wait_exit(5000));
}

TEST_F(MainWindow, ApplyWritesTheProjectFilesAndReportsWhatChanged) {
    const std::string basic = fixture_copy("basic-project");
    write_recent(basic + "\r\n");
    HWND w = start();
    ASSERT_NE(w, nullptr);
    choose(w, basic);
    platform::make_directories(basic + "\\.avlo");
    platform::write_file(basic + "\\.avlo\\unsigned.apk", "old");
    gui::set_item_text(w, id_app_name, "Caf\xC3\xA9 Game");
    gui::set_item_text(w, id_version_name, "2.0");
    gui::click(w, id_permissions);
    HWND d = gui::wait_window(program_->pid(), "App permissions");
    ASSERT_NE(d, nullptr);
    SendMessageW(GetDlgItem(d, vexlo::permissions_ids::first_box + 18), BM_SETCHECK, BST_CHECKED,
                 0);  // DUMP
    gui::click(d, vexlo::permissions_ids::ok);
    gui::wait_until([d] { return !IsWindow(d); }, 2000);

    gui::click(w, id_apply);
    HWND box = gui::wait_message_box(program_->pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::window_text(box), "Apply changes");
    gui::answer(box, IDYES);
    box = gui::wait_message_box(program_->pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::window_text(box), "Changes applied");
    EXPECT_EQ(gui::message_text(box),
              "The following properties have been correctly changed:\r- project name\r"
              "- project version number\r- project permissions\r");
    gui::screenshot(box, "apply-report");
    gui::answer(box, IDOK);
    EXPECT_FALSE(gui::item_enabled(w, id_apply));
    EXPECT_FALSE(platform::file_exists(basic + "\\.avlo"));

    std::string setup, manifest;
    ASSERT_TRUE(platform::read_file(basic + "\\res\\values\\setup.xml", setup));
    EXPECT_NE(setup.find("<string name=\"app_name\">Caf\xC3\xA9 Game</string>"), std::string::npos);
    EXPECT_NE(setup.find("<string name=\"run_name\">Caf\xC3\xA9 Game</string>"), std::string::npos);
    EXPECT_NE(setup.find("<string name=\"version\">002.0</string>"), std::string::npos);
    ASSERT_TRUE(platform::read_file(basic + "\\AndroidManifest.xml", manifest));
    EXPECT_NE(manifest.find("android:versionName=\"2.0\""), std::string::npos);
    EXPECT_NE(manifest.find("android.permission.DUMP\" />"), std::string::npos);
    EXPECT_NE(manifest.find("com.android.launcher.permission.INSTALL_SHORTCUT"), std::string::npos);

    gui::set_item_text(w, id_version_code, "1911");  // unchanged text: nothing pending
    EXPECT_FALSE(gui::item_enabled(w, id_apply));
}

TEST_F(MainWindow, LongRenameKeepsTheWindowDisabledAndCountsTheFiles) {
    const std::string basic = fixture_copy("basic-project");
    for (int i = 0; i < 600; ++i)
        platform::write_file(basic + "\\src\\com\\rfo\\basic\\Extra" + std::to_string(i) + ".java",
                             "package com.rfo.basic;\nclass Extra" + std::to_string(i) + " {}\n");
    write_recent(basic + "\r\n");
    HWND w = start();
    ASSERT_NE(w, nullptr);
    choose(w, basic);
    const std::string status = gui::item_text(w, id_status);
    gui::set_item_text(w, id_package, "org.example.game");
    gui::click(w, id_apply);
    HWND box = gui::wait_message_box(program_->pid());
    ASSERT_NE(box, nullptr);
    gui::answer(box, IDYES);
    ASSERT_TRUE(gui::wait_until([&] { return !IsWindow(box); }));
    // Until the report, no click can reach the window; its status line shows the progress.
    bool enabled_meanwhile = false, progress_shown = false;
    HWND report = nullptr;
    ASSERT_TRUE(gui::wait_until(
        [&] {
            enabled_meanwhile |= IsWindowEnabled(w) != FALSE;
            progress_shown |= gui::item_text(w, id_status).rfind("Applying changes... ", 0) == 0;
            report = gui::wait_message_box(program_->pid(), 0);
            return report && gui::window_text(report) == "Changes applied";
        },
        60000));
    EXPECT_FALSE(enabled_meanwhile);
    EXPECT_TRUE(progress_shown);
    gui::answer(report, IDOK);
    EXPECT_TRUE(gui::wait_until([&] { return IsWindowEnabled(w) != FALSE; }));
    EXPECT_EQ(gui::item_text(w, id_status), status);
    EXPECT_TRUE(platform::file_exists(basic + "\\src\\org\\example\\game\\Extra599.java"));
    EXPECT_FALSE(platform::file_exists(basic + "\\src\\com\\rfo\\basic\\Extra599.java"));
}

TEST_F(MainWindow, ApplyThatCannotWriteTellsWhichFileAndLosesNothing) {
    const std::string basic = fixture_copy("basic-project");
    write_recent(basic + "\r\n");
    const std::string manifest_path = basic + "\\AndroidManifest.xml";
    std::string before;
    ASSERT_TRUE(platform::read_file(manifest_path, before));
    HWND w = start();
    ASSERT_NE(w, nullptr);
    choose(w, basic);
    SetFileAttributesA(manifest_path.c_str(), FILE_ATTRIBUTE_READONLY);
    gui::set_item_text(w, id_version_code, "2000");
    gui::click(w, id_apply);
    HWND box = gui::wait_message_box(program_->pid());
    ASSERT_NE(box, nullptr);
    gui::answer(box, IDYES);
    box = gui::wait_message_box(program_->pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::window_text(box), kProgramCaption);
    EXPECT_NE(gui::message_text(box).find("AndroidManifest.xml"), std::string::npos);
    gui::screenshot(box, "apply-failed");
    gui::answer(box, IDOK);
    EXPECT_TRUE(gui::wait_until([&] { return IsWindowEnabled(w) != FALSE; }));  // Apply is over
    SetFileAttributesA(manifest_path.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::string after;
    ASSERT_TRUE(platform::read_file(manifest_path, after));
    EXPECT_EQ(after, before);
    EXPECT_EQ(gui::item_text(w, id_version_code), "1911");  // the window shows the files again
}

TEST_F(MainWindow, LoadButtonOpensTheFolderBrowserAndCancelChangesNothing) {
    HWND w = start();
    ASSERT_NE(w, nullptr);
    gui::click(w, id_load);
    HWND browser = nullptr;
    for (int i = 0; i < 100 && !browser; ++i) {
        HWND candidate = gui::wait_window(program_->pid(), "", 50);
        if (candidate && candidate != w) browser = candidate;
        if (!browser) browser = gui::wait_message_box(program_->pid(), 50);  // also a "#32770"
    }
    ASSERT_NE(browser, nullptr);
    gui::screenshot(browser, "load-project-browser");
    bool titled = false;  // the dialog's instruction line carries the title
    for (HWND c = GetWindow(browser, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        titled = titled || gui::window_text(c) == "Load project";
    EXPECT_TRUE(titled);
    gui::click(browser, IDCANCEL);
    gui::wait_until([browser] { return !IsWindow(browser); }, 2000);
    gui::settle(w);
    EXPECT_EQ(gui::item_text(w, id_status), "Please load a project with the \"Load\" button");
    EXPECT_EQ(gui::item_text(w, id_load), "Load");
}

namespace {

struct tip_search {
    DWORD pid;
    std::string text;
};

BOOL CALLBACK find_shown_tip(HWND window, LPARAM parameter) {
    auto* s = reinterpret_cast<tip_search*>(parameter);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    if (pid == s->pid && IsWindowVisible(window) && std::wstring(cls) == L"tooltips_class32") {
        s->text = gui::window_text(window);
        return FALSE;
    }
    return TRUE;
}

// The text of the tool-tip that shows while the mouse rests on the control. The mouse is put
// down again now and then: a tool-tip waits for a move over its control before it shows.
std::string tip_over(DWORD pid, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    tip_search s{pid, ""};
    for (int attempt = 0; attempt < 8 && s.text.empty(); ++attempt) {
        SetCursorPos(x + attempt % 2, y);
        gui::wait_until(
            [&s] {
                EnumWindows(find_shown_tip, reinterpret_cast<LPARAM>(&s));
                return !s.text.empty();
            },
            1500);
    }
    return s.text;
}

}  // namespace

TEST_F(MainWindow, SdkToolTipsSayWhatTheLevelsMean) {
    const std::string basic = fixture_copy("basic-project");  // min SDK 9, target SDK 19
    write_recent(basic + "\r\n");
    HWND w = start();
    ASSERT_NE(w, nullptr);
    choose(w, basic);
    const std::string target = tip_over(program_->pid(), GetDlgItem(w, id_target_label));
    EXPECT_NE(target.find("A target SDK below 23: Android 14 and later refuse to install the app."),
              std::string::npos)
        << target;
    EXPECT_NE(target.find("Google Play"), std::string::npos) << target;
    gui::screenshot(w, "main-window-target-sdk-tip");
    // Raised above the min SDK, the levels the build refuses are named on both boxes.
    gui::set_item_text(w, id_min_sdk, "30");
    gui::set_item_text(w, id_target_sdk, "29");
    SetCursorPos(0, 0);
    const std::string min = tip_over(program_->pid(), GetDlgItem(w, id_min_label));
    EXPECT_NE(min.find("The min SDK (30) is above the target SDK (29)"), std::string::npos) << min;
}
