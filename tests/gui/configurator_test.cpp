// Vexlo-config.exe driven under Wine with the stand-in toolchain: its four sections, the API
// check at start-up, the API target chooser, keystore creation, the configuration file it
// writes on closing, and Vexlo.exe starting with that file.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

#include "core/build/scramble.h"
#include "core/text/text_helpers.h"
#include "fake-tools/fake_keystore.h"
#include "gui/compile_support.h"
#include "gui/gui_driver.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "unit/test_support.h"
#include "gui/configurator_controls.h"
#include "vexlo-config/api_chooser_ids.h"
#include "vexlo-config/control_ids.h"
#include "vexlo-config/keystore_details_ids.h"
#include "winui/keystore_ids.h"

namespace {

using gui::wait_until;

constexpr const char* kCaption = "Android Vexlo Configurator v3.6";
constexpr const char* kProgressCaption = "Android Vexlo Configurator";

using namespace configurator_controls;

const COLORREF kRed = RGB(255, 0, 0), kOrange = RGB(255, 140, 0), kGreen = RGB(0, 255, 0);
const COLORREF kPaleGreen = RGB(152, 251, 152), kPink = RGB(255, 192, 203);
const char* const kKeys[] = {"jdk_path",       "android_sdk_path", "build_tools_path",
                             "api_target_id",  "ant_path",         "keystore_path",
                             "keystore_alias", "keystore_password"};

std::string config_file() {
    return gui::bin_folder() + "Vexlo.cfg";
}

std::map<std::string, std::string> config_keys() {
    std::map<std::string, std::string> keys;
    for (const char* k : kKeys) keys[k] = platform::profile_read(config_file(), "Config", k);
    return keys;
}

// What the screen shows in the middle of a control (for a path box: just inside its left
// edge, where no text is drawn).
COLORREF colour_of(HWND window, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(window, id), &r);
    const bool box = id >= jdk_path && id <= keystore_path;
    const int x = box ? r.left + 3 : (r.left + r.right) / 2;
    const int y = box ? r.bottom - 4 : (r.top + r.bottom) / 2;
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}

// How many different looks a control shows on screen during the time (sampled every 100 ms).
int distinct_looks(HWND window, int id, int during_ms) {
    RECT r{};
    GetWindowRect(GetDlgItem(window, id), &r);
    std::vector<unsigned long long> seen;
    for (int t = 0; t <= during_ms; t += 100) {
        HDC screen = GetDC(nullptr);
        unsigned long long signature = 0;
        for (int y = r.top + 2; y < r.bottom - 2; y += 2)
            for (int x = r.left + 2; x < r.right - 2; x += 2)
                signature = signature * 1000003ULL + GetPixel(screen, x, y);
        ReleaseDC(nullptr, screen);
        if (std::find(seen.begin(), seen.end(), signature) == seen.end()) seen.push_back(signature);
        gui::pause_ms(100);
    }
    return static_cast<int>(seen.size());
}

bool shows(HWND window, int id, COLORREF colour) {
    return wait_until([&] { return colour_of(window, id) == colour; }, 5000);
}

struct class_search {
    const wchar_t* cls;
    HWND found = nullptr;
};

BOOL CALLBACK match_visible_class(HWND child, LPARAM param) {
    auto* s = reinterpret_cast<class_search*>(param);
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    if (_wcsicmp(name, s->cls) == 0 && IsWindowVisible(child)) {
        s->found = child;
        return FALSE;
    }
    return TRUE;
}

HWND find_child_by_class(HWND parent, const wchar_t* cls) {
    class_search s{cls};
    EnumChildWindows(parent, match_visible_class, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Types a file name into the platform's save dialog and confirms it.
void save_as(HWND dialog, const std::string& file) {
    HWND name = GetDlgItem(dialog, 0x47C);  // the file name box (a combo box with an edit)
    if (name) name = FindWindowExW(name, nullptr, L"Edit", nullptr);
    if (!name) name = GetDlgItem(dialog, 0x480);
    if (!name) name = find_child_by_class(dialog, L"Edit");
    ASSERT_NE(name, nullptr);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(platform::widen(file).c_str()));
    gui::click(dialog, IDOK);
}

class Configurator : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(compile_support::toolchain().empty());
        platform::remove_file(config_file());
        platform::remove_file(position_file());
        SetEnvironmentVariableW(L"FAKE_ANDROID_TARGETS", nullptr);
    }
    void TearDown() override {
        program_.reset();
        compile_support::end_processes("Vexlo.exe");
        SetEnvironmentVariableW(L"FAKE_ANDROID_TARGETS", nullptr);
        platform::remove_file(platform::temp_folder() + "\\fake-tools.txt");
        platform::remove_file(config_file());
        platform::remove_file(position_file());
    }
    static std::string position_file() {
        return platform::user_data_folder() + "\\Vexlo-config.pos";
    }

    // The canned output of "android list targets" (a fixture, printed with CR LF).
    void targets_from(const char* fixture) {
        std::string text;
        ASSERT_TRUE(platform::read_file(
            testing_support::fixture(std::string("configurator\\") + fixture), text));
        const std::string file = scratch_.write(fixture, text::to_crlf_text(text));
        SetEnvironmentVariableW(L"FAKE_ANDROID_TARGETS", platform::widen(file).c_str());
    }
    // Makes the stand-in keytool take its time, so the start-up check can be watched.
    void slow_keytool(int ms) {
        platform::write_file(platform::temp_folder() + "\\fake-tools.txt",
                             "keytool_delay_ms=" + std::to_string(ms) + "\r\n");
    }
    void write_config(const build::tool_config& c, const std::string& description = "") {
        platform::remove_file(config_file());
        ASSERT_TRUE(build::write_tool_config(config_file(), c, description));
    }

    HWND start() {
        program_ = std::make_unique<gui::running_program>(gui::bin_folder() + "Vexlo-config.exe",
                                                          "", scratch_.path());
        HWND w = gui::wait_window(program_->pid(), kCaption);
        EXPECT_NE(w, nullptr);
        return w;
    }
    DWORD pid() const { return program_->pid(); }
    // Waits for the start-up check to end (its progress dialog gone).
    void wait_for_check(HWND w) {
        EXPECT_TRUE(wait_until([&] {
            return gui::wait_window(pid(), kProgressCaption, 0) == nullptr && IsWindowEnabled(w);
        }));
        gui::settle(w);
    }
    // "Create a new keystore", the save dialog answered with the file; gives the message box
    // that follows (null when none comes).
    HWND create_keystore_as(HWND w, const std::string& file) {
        gui::click(w, create_keystore);
        HWND save = gui::wait_window(pid(), "Save keystore as");
        if (!save) return nullptr;
        save_as(save, file);
        return gui::wait_message_box(pid());
    }
    void close(HWND w, bool with_ready_button) {
        if (with_ready_button)
            gui::click(w, ready);
        else
            PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
        EXPECT_TRUE(program_->wait_exit(10000));
    }

    testing_support::scratch_folder scratch_;
    std::unique_ptr<gui::running_program> program_;
};

}  // namespace

TEST_F(Configurator, FreshStartWithNothingConfiguredShowsEverySectionMissing) {
    HWND w = start();
    ASSERT_NE(w, nullptr);
    wait_for_check(w);
    for (int stripe : {jdk_stripe, sdk_stripe, ant_stripe, keystore_stripe})
        EXPECT_TRUE(shows(w, stripe, kRed)) << stripe;
    for (int box : {jdk_path, sdk_path, ant_path, keystore_path}) {
        EXPECT_EQ(gui::item_text(w, box), "<none selected>");
        EXPECT_TRUE(shows(w, box, kPink)) << box;
    }
    for (int id : {jdk_detect, sdk_detect, ant_detect}) EXPECT_TRUE(gui::item_enabled(w, id));
    for (int id : {create_keystore, configure_sdk, configure_keystore, ready})
        EXPECT_FALSE(gui::item_enabled(w, id)) << id;
    EXPECT_TRUE(gui::no_message_box(pid(), 700));  // neither a warning nor the chooser
    EXPECT_EQ(gui::wait_window(pid(), "Android SDK", 0), nullptr);
    gui::screenshot(w, "configurator-red");

    // Nothing can be detected on this machine: the button comes back with advice.
    gui::click(w, jdk_detect);
    HWND box = gui::wait_message_box(pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box),
              "Java SE Dev. Kit was not found on your computer\r\rPlease use the Browse button "
              "to select manually");
    EXPECT_TRUE(gui::item_enabled(w, jdk_detect));  // back for another try
    gui::answer(box, IDOK);

    close(w, false);
    const auto keys = config_keys();
    for (const char* k : {"jdk_path", "android_sdk_path", "api_target_id", "build_tools_path",
                          "ant_path", "keystore_path"})
        EXPECT_EQ(keys.at(k), "") << k;
}

TEST_F(Configurator, AutodetectFindsAJdkWhereItsVendorInstallsItAndNamesAWrongVersion) {
    const std::string vendor = "C:\\Program Files\\Zulu";
    const std::string jdk = vendor + "\\zulu-17";
    struct removed_at_end {
        std::string folder;
        ~removed_at_end() { testing_support::remove_tree(folder); }
    } cleanup{vendor};  // other tests expect no JDK on this machine
    ASSERT_TRUE(platform::make_directories(jdk + "\\bin"));
    platform::write_file(jdk + "\\bin\\javac.exe", "MZ");
    platform::write_file(jdk + "\\release", "JAVA_VERSION=\"17.0.9\"\r\n");
    HWND w = start();
    ASSERT_NE(w, nullptr);
    wait_for_check(w);
    gui::click(w, jdk_detect);
    HWND box = gui::wait_message_box(pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box),
              "Java SE Dev. Kit found in:\r" + jdk +
                  "\r\rThis is JDK 17: the Android SDK Tools "
                  "25.2.5 that Vexlo builds with need JDK 8 (also named 1.8).");
    gui::screenshot(box, "configurator-jdk-version");
    gui::answer(box, IDOK);
    EXPECT_EQ(gui::item_text(w, jdk_path), jdk);
    close(w, false);
}

TEST_F(Configurator, CompleteConfigurationIsOrangeUntilTheCheckThenReadyAndVexloStarts) {
    write_config(compile_support::toolchain_config());
    slow_keytool(2500);
    HWND w = start();
    ASSERT_NE(w, nullptr);
    // While keytool confirms alias and password, the keystore waits in orange.
    HWND progress = gui::wait_window(pid(), kProgressCaption, 5000);
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(shows(w, keystore_stripe, kOrange));
    EXPECT_TRUE(shows(w, jdk_stripe, kGreen));
    EXPECT_TRUE(shows(w, ant_stripe, kGreen));
    EXPECT_FALSE(gui::item_enabled(w, ready));
    EXPECT_TRUE(IsWindow(progress));  // still checking
    gui::screenshot(w, "configurator-orange");
    gui::screenshot(progress, "configurator-api-check");

    wait_for_check(w);
    EXPECT_TRUE(wait_until([&] { return gui::item_enabled(w, ready); }));
    for (int stripe : {jdk_stripe, sdk_stripe, ant_stripe, keystore_stripe})
        EXPECT_TRUE(shows(w, stripe, kGreen)) << stripe;
    for (int box : {jdk_path, sdk_path, ant_path, keystore_path})
        EXPECT_TRUE(shows(w, box, kPaleGreen)) << box;
    const build::tool_config c = compile_support::toolchain_config();
    EXPECT_EQ(gui::item_text(w, jdk_path), c.jdk_path);
    EXPECT_EQ(gui::item_text(w, sdk_path), c.android_sdk_path);
    EXPECT_EQ(gui::item_text(w, ant_path), c.ant_path);
    EXPECT_EQ(gui::item_text(w, keystore_path), c.keystore_path);
    // Known paths are not detected again.
    for (int id : {jdk_detect, sdk_detect, ant_detect}) EXPECT_FALSE(gui::item_enabled(w, id));
    EXPECT_TRUE(gui::no_message_box(pid(), 300));
    gui::screenshot(w, "configurator-green");

    close(w, true);
    const auto keys = config_keys();
    EXPECT_EQ(keys.at("jdk_path"), c.jdk_path);
    EXPECT_EQ(keys.at("android_sdk_path"), c.android_sdk_path);
    EXPECT_EQ(keys.at("api_target_id"), "1");
    EXPECT_EQ(keys.at("build_tools_path"), c.android_sdk_path + "\\build-tools\\23.0.3");
    EXPECT_EQ(keys.at("ant_path"), c.ant_path);
    EXPECT_EQ(keys.at("keystore_path"), c.keystore_path);
    EXPECT_EQ(build::unscramble_text(keys.at("keystore_alias"), build::kScrambleKey), "demo");
    EXPECT_EQ(build::unscramble_text(keys.at("keystore_password"), build::kScrambleKey),
              "demo-pass");

    // The main program now starts without sending the user back here.
    gui::running_program vexlo(gui::bin_folder() + "Vexlo.exe");
    EXPECT_NE(gui::wait_window(vexlo.pid(), "Android Vexlo Tools v3.6"), nullptr);
    EXPECT_TRUE(gui::no_message_box(vexlo.pid(), 300));
}

TEST_F(Configurator, ClosingDuringTheStartUpCheckStopsItAndStillWritesTheFile) {
    write_config(compile_support::toolchain_config());
    slow_keytool(30000);
    HWND w = start();
    ASSERT_NE(w, nullptr);
    ASSERT_NE(gui::wait_window(pid(), kProgressCaption, 5000), nullptr);
    EXPECT_TRUE(wait_until([] { return compile_support::processes_named("keytool.exe") > 0; }));
    platform::remove_file(config_file());
    PostMessageW(w, WM_CLOSE, 0, 0);
    // Far sooner than keytool would have answered: the check was stopped, not waited for.
    EXPECT_TRUE(program_->wait_exit(10000));
    EXPECT_TRUE(wait_until([] { return compile_support::processes_named("keytool.exe") == 0; }));
    // Its throw-away keystore copy is gone with it.
    EXPECT_FALSE(platform::file_exists(platform::temp_folder() + "\\vexlo-keystore-check-" +
                                       std::to_string(pid()) + "-start"));
    EXPECT_EQ(config_keys().at("jdk_path"), compile_support::toolchain_config().jdk_path);
}

TEST_F(Configurator, TheStartUpCheckLeavesNoWorkFolders) {
    write_config(compile_support::toolchain_config());
    HWND w = start();
    ASSERT_NE(w, nullptr);
    wait_for_check(w);
    const std::string id = std::to_string(pid());
    close(w, false);
    EXPECT_FALSE(
        platform::file_exists(platform::temp_folder() + "\\vexlo-keystore-check-" + id + "-start"));
    EXPECT_FALSE(platform::file_exists(platform::temp_folder() + "\\vexlo-config-targets-" + id));
}

TEST_F(Configurator, TheCloseBoxWritesTheSameKeysAsTheReadyButton) {
    std::map<std::string, std::string> written[2];
    for (bool ready_button : {true, false}) {
        write_config(compile_support::toolchain_config());
        HWND w = start();
        ASSERT_NE(w, nullptr);
        wait_for_check(w);
        ASSERT_TRUE(wait_until([&] { return gui::item_enabled(w, ready); }));
        // The file was read at start; what lands there now is written on closing.
        platform::remove_file(config_file());
        close(w, ready_button);
        written[ready_button ? 0 : 1] = config_keys();
    }
    EXPECT_EQ(written[0], written[1]);
    EXPECT_NE(written[1].at("jdk_path"), "");
    EXPECT_NE(written[1].at("build_tools_path"), "");
}

TEST_F(Configurator, AFileThatCannotBeWrittenOnClosingIsNamedAndKeepsItsConfiguration) {
    for (const bool held_open : {false, true}) {
        SCOPED_TRACE(held_open ? "held open" : "read-only");
        write_config(compile_support::toolchain_config());
        std::string before;
        platform::read_file(config_file(), before);
        HWND w = start();
        ASSERT_NE(w, nullptr);
        wait_for_check(w);
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (held_open)
            holder = CreateFileW(platform::widen(config_file()).c_str(), GENERIC_READ, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        else
            testing_support::set_read_only(config_file(), true);
        gui::click(w, ready);
        HWND box = gui::wait_message_box(pid());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(gui::window_text(box), kProgressCaption);
        EXPECT_NE(gui::message_text(box).find("\"" + config_file() + "\""), std::string::npos);
        gui::answer(box, IDOK);
        EXPECT_TRUE(program_->wait_exit(10000));
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
        testing_support::set_read_only(config_file(), false);
        std::string after;
        platform::read_file(config_file(), after);
        EXPECT_EQ(after, before);
    }
}

TEST_F(Configurator, PathsWithSpacesAndCharactersOutsideTheCodePageReachVexloIntact) {
    // Marker files only: what matters here is what the file says, not what the tools do.
    const std::string root = scratch_.path() + "Werkzeuge für André Ω\\";
    build::tool_config c;
    c.jdk_path = root + "JDK 8 ☕";
    c.android_sdk_path = root + "Android SDK";
    c.ant_path = root + "Apache Ant Ω";
    c.keystore_path = root + "Schlüssel\\my release.jks";
    c.keystore_alias = "mój klucz";
    c.keystore_password = "hasło ünd €";
    c.api_target_id = 1;
    for (const std::string& f : {c.jdk_path + "\\bin\\keytool.exe", c.jdk_path + "\\bin\\javac.exe",
                                 c.android_sdk_path + "\\tools\\android.bat",
                                 c.ant_path + "\\bin\\ant.bat", c.keystore_path}) {
        platform::make_directories(f.substr(0, f.rfind('\\')));
        ASSERT_TRUE(platform::write_file(f, ""));
    }
    write_config(c);
    HWND w = start();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(wait_until([&] { return gui::item_text(w, sdk_path) == c.android_sdk_path; }));
    EXPECT_EQ(gui::item_text(w, jdk_path), c.jdk_path);
    EXPECT_EQ(gui::item_text(w, ant_path), c.ant_path);
    EXPECT_EQ(gui::item_text(w, keystore_path), c.keystore_path);
    // The empty stand-in SDK lists no target, so the chooser comes; it changes nothing here.
    if (HWND chooser = gui::wait_window(pid(), "Android SDK", 5000)) {
        PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(wait_until([&] { return !IsWindow(chooser); }));
    }
    platform::remove_file(config_file());
    close(w, false);

    const auto keys = config_keys();
    EXPECT_EQ(keys.at("jdk_path"), c.jdk_path);
    EXPECT_EQ(keys.at("android_sdk_path"), c.android_sdk_path);
    EXPECT_EQ(keys.at("ant_path"), c.ant_path);
    EXPECT_EQ(keys.at("keystore_path"), c.keystore_path);
    EXPECT_EQ(keys.at("api_target_id"), "1");
    EXPECT_EQ(build::unscramble_text(keys.at("keystore_alias"), build::kScrambleKey),
              c.keystore_alias);
    EXPECT_EQ(build::unscramble_text(keys.at("keystore_password"), build::kScrambleKey),
              c.keystore_password);
    gui::running_program vexlo(gui::bin_folder() + "Vexlo.exe");
    EXPECT_NE(gui::wait_window(vexlo.pid(), "Android Vexlo Tools v3.6"), nullptr);
    EXPECT_TRUE(gui::no_message_box(vexlo.pid(), 300));
}

TEST_F(Configurator, OneApiTooLowWarnsAndTheChooserOpensAtTheNextTick) {
    targets_from("one_platform_17_addon_19.txt");
    build::tool_config c = compile_support::toolchain_config();
    c.api_target_id = 0;
    write_config(c);
    HWND w = start();
    ASSERT_NE(w, nullptr);
    HWND box = gui::wait_message_box(pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box).substr(0, 88),
              "Android SDK Manager only has one API installed: Android 4.2.2 (API  17) which is "
              "lower t");
    EXPECT_EQ(GetWindow(box, GW_OWNER), gui::wait_window(pid(), kProgressCaption, 0));
    EXPECT_EQ(gui::wait_window(pid(), "Android SDK", 0), nullptr);  // not before the answer
    gui::answer(box, IDOK);

    // The refresh after the check took the only target, so the chooser shows it as chosen.
    HWND chooser = gui::wait_window(pid(), "Android SDK", 5000);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(gui::item_text(chooser, chooser_text), "Android API chosen for compilation is:");
    EXPECT_EQ(gui::combo_items(chooser, chooser_list),
              std::vector<std::string>{"Android 4.2.2 (API  17)"});
    EXPECT_EQ(gui::combo_selection(chooser, chooser_list), 0);
    EXPECT_FALSE(gui::item_enabled(chooser, chooser_change));
    EXPECT_TRUE(shows(w, sdk_stripe, kOrange));
    PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(chooser); }));
    // The only target is too low: the section stays orange and nothing opens by itself again.
    EXPECT_TRUE(shows(w, sdk_stripe, kOrange));
    EXPECT_FALSE(gui::item_enabled(w, ready));
    EXPECT_EQ(gui::wait_window(pid(), "Android SDK", 1200), nullptr);
    close(w, false);
    EXPECT_EQ(config_keys().at("api_target_id"), "1");
}

TEST_F(Configurator, SeveralApisWithoutAChoiceBlinkUntilTheUserChooses) {
    targets_from("platforms_16_and_19.txt");
    build::tool_config c = compile_support::toolchain_config();
    c.api_target_id = 0;
    write_config(c);
    HWND w = start();
    ASSERT_NE(w, nullptr);
    wait_for_check(w);
    EXPECT_TRUE(gui::no_message_box(pid(), 300));
    EXPECT_TRUE(shows(w, sdk_stripe, kOrange));
    // The configure button blinks, but the chooser does not open by itself.
    EXPECT_GE(distinct_looks(w, configure_sdk, 1600), 2);
    EXPECT_EQ(distinct_looks(w, configure_keystore, 1100), 1);  // confirmed: it rests
    EXPECT_EQ(gui::wait_window(pid(), "Android SDK", 0), nullptr);

    gui::click(w, configure_sdk);
    HWND chooser = gui::wait_window(pid(), "Android SDK");
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(gui::item_text(chooser, chooser_text),
              "More than one Android API have been installed on your system. Please choose one "
              "for compilation:");
    EXPECT_EQ(gui::combo_items(chooser, chooser_list),
              (std::vector<std::string>{"Android 4.1.2 (API  16)", "Android 4.4.2 (API  19)"}));
    EXPECT_EQ(gui::combo_selection(chooser, chooser_list), -1);
    EXPECT_EQ(gui::item_text(chooser, chooser_button), "Ok");
    gui::screenshot(chooser, "chooser-choose");
    gui::combo_choose(chooser, chooser_list, 1);
    gui::click(chooser, chooser_button);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(chooser); }));
    // The stand-in SDK holds build-tools for API 23 only: the build would miss them.
    HWND advice = gui::wait_message_box(pid());
    ASSERT_NE(advice, nullptr);
    EXPECT_EQ(gui::message_text(advice).rfind("The Android SDK has no build-tools for API 19 (a "
                                              "folder \"19.x.x\" in its \"build-tools\" folder)",
                                              0),
              0u)
        << gui::message_text(advice);
    gui::screenshot(advice, "configurator-build-tools-advice");
    gui::answer(advice, IDOK);
    EXPECT_TRUE(shows(w, sdk_stripe, kGreen));
    EXPECT_TRUE(wait_until([&] { return gui::item_enabled(w, ready); }));
    EXPECT_EQ(distinct_looks(w, configure_sdk, 1100), 1);
    close(w, true);
    EXPECT_EQ(config_keys().at("api_target_id"), "2");
}

TEST_F(Configurator, SeveralApisWithAStoredIdAreAcceptedSilentlyAndTheChooserGuardsAChange) {
    targets_from("platforms_16_and_19.txt");
    build::tool_config c = compile_support::toolchain_config();
    c.api_target_id = 2;
    write_config(c);
    HWND w = start();
    ASSERT_NE(w, nullptr);
    wait_for_check(w);
    EXPECT_TRUE(gui::no_message_box(pid(), 700));
    EXPECT_TRUE(shows(w, sdk_stripe, kGreen));
    EXPECT_TRUE(wait_until([&] { return gui::item_enabled(w, ready); }));

    gui::click(w, configure_sdk);
    HWND chooser = gui::wait_window(pid(), "Android SDK");
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(gui::item_text(chooser, chooser_text), "Android API chosen for compilation is:");
    EXPECT_EQ(gui::combo_items(chooser, chooser_list),
              (std::vector<std::string>{"Android 4.1.2 (API  16)", "Android 4.4.2 (API  19)"}));
    EXPECT_EQ(gui::combo_selection(chooser, chooser_list), 1);
    EXPECT_FALSE(gui::item_enabled(chooser, chooser_change));
    EXPECT_EQ(gui::item_text(chooser, chooser_second_text),
              "If you want to open the SDK manager, you can click on the button below");
    EXPECT_TRUE(gui::item_visible(chooser, chooser_button));  // the SDK manager picture
    gui::screenshot(chooser, "chooser-chosen");

    gui::combo_choose(chooser, chooser_list, 0);
    EXPECT_TRUE(wait_until([&] { return gui::item_enabled(chooser, chooser_change); }));
    gui::click(chooser, chooser_change);
    HWND box = gui::wait_message_box(pid());
    ASSERT_NE(box, nullptr);
    const std::string text = gui::message_text(box);
    EXPECT_EQ(text.substr(0, 34), "You chose Android 4.1.2 (API  16) ");
    EXPECT_EQ(text.substr(text.size() - 35), "Please choose a higher Android API.");
    gui::answer(box, IDOK);
    EXPECT_TRUE(IsWindow(chooser));  // the chooser stays open
    PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(chooser); }));
    close(w, false);
    EXPECT_EQ(config_keys().at("api_target_id"), "2");
    EXPECT_EQ(config_keys().at("build_tools_path"), c.android_sdk_path + "\\build-tools\\");
}

TEST_F(Configurator, SdkWithoutTargetsOpensTheChooserWithTheSdkManager) {
    targets_from("no_targets.txt");
    build::tool_config c = compile_support::toolchain_config();
    write_config(c);
    HWND w = start();
    ASSERT_NE(w, nullptr);
    HWND chooser = gui::wait_window(pid(), "Android SDK");
    ASSERT_NE(chooser, nullptr);
    EXPECT_TRUE(gui::no_message_box(pid(), 300));
    EXPECT_EQ(gui::item_text(chooser, chooser_text),
              "Android SDK Manager has been correctly installed on your system but is not "
              "configured yet:\rPlease click on the button below in order to launch the SDK "
              "manager, and download a target package (e.g. Android 4.1, API 16)");
    EXPECT_TRUE(gui::item_visible(chooser, chooser_button));
    EXPECT_EQ(GetDlgItem(chooser, chooser_list), nullptr);
    gui::screenshot(chooser, "chooser-not-configured");
    PostMessageW(chooser, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(chooser); }));
    EXPECT_TRUE(shows(w, sdk_stripe, kOrange));
    close(w, false);
}

TEST_F(Configurator, CreatingAKeystoreOverAnExistingFileAsksFirst) {
    build::tool_config c = compile_support::toolchain_config();
    c.keystore_path.clear();
    write_config(c);
    const std::string file = scratch_.write("keys\\release.jks", "precious");
    HWND w = start();
    ASSERT_NE(w, nullptr);
    wait_for_check(w);
    ASSERT_TRUE(wait_until([&] { return gui::item_enabled(w, create_keystore); }));
    EXPECT_TRUE(shows(w, keystore_stripe, kRed));

    // No: the file is left alone.
    HWND question = create_keystore_as(w, file);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(gui::window_text(question), "Keystore");
    EXPECT_EQ(gui::message_text(question),
              file + "\rA file with this name already exists. Replace ?");
    gui::answer(question, IDNO);
    HWND cancelled = gui::wait_message_box(pid());
    ASSERT_NE(cancelled, nullptr);
    EXPECT_EQ(gui::message_text(cancelled), "Creation cancelled by user");
    gui::answer(cancelled, IDOK);
    EXPECT_EQ(scratch_.read("keys\\release.jks"), "precious");

    // Yes, then Cancel in the alias dialog: the old keystore is still there, unchanged.
    question = create_keystore_as(w, file);
    ASSERT_NE(question, nullptr);
    gui::answer(question, IDYES);
    HWND alias_dialog = gui::wait_window(pid(), "Keystore");
    ASSERT_NE(alias_dialog, nullptr);
    gui::click(alias_dialog, IDCANCEL);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(alias_dialog); }));
    EXPECT_EQ(scratch_.read("keys\\release.jks"), "precious");

    // Yes: the file is replaced by a new keystore.
    question = create_keystore_as(w, file);
    ASSERT_NE(question, nullptr);
    gui::answer(question, IDYES);
    HWND keystore = gui::wait_window(pid(), "Keystore");
    ASSERT_NE(keystore, nullptr);
    gui::set_item_text(keystore, winui::keystore_ids::alias, "my key");
    gui::set_item_text(keystore, winui::keystore_ids::password, "secret 50%");
    gui::set_item_text(keystore, winui::keystore_ids::confirm, "secret 50%");
    gui::click(keystore, IDOK);
    HWND details = gui::wait_window(pid(), "Keystore details");
    ASSERT_NE(details, nullptr);
    EXPECT_EQ(gui::item_text(details, vexlo_config::keystore_details_ids::full_name),
              "Jane Sample");
    EXPECT_EQ(gui::item_text(details, vexlo_config::keystore_details_ids::country), "CH");
    gui::screenshot(details, "configurator-keystore-details");
    gui::click(details, IDOK);
    HWND done = gui::wait_message_box(pid(), 20000);
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(gui::message_text(done), "Your keystore has been successfuly created");
    gui::answer(done, IDOK);
    HWND advice = nullptr;
    ASSERT_TRUE(wait_until(
        [&] {
            advice = gui::wait_message_box(pid(), 0);
            return advice && gui::message_text(advice).rfind("Your keystore:\r", 0) == 0;
        },
        20000));
    const std::string advice_text = gui::message_text(advice);
    EXPECT_EQ(advice_text.rfind("Your keystore:\r" + file + "\rCertificate SHA-256: ", 0), 0u)
        << advice_text;
    const std::size_t sha = advice_text.find("SHA-256: ") + 9;
    EXPECT_EQ(advice_text.find('\r', sha) - sha, 95u) << advice_text;  // 32 bytes in hex
    gui::screenshot(advice, "configurator-keystore-keep-safe");
    gui::answer(advice, IDNO);

    fake::keystore ks;
    ASSERT_TRUE(fake::read_keystore(file, ks));
    EXPECT_EQ(ks.store_password, "secret 50%");
    ASSERT_NE(ks.find("my key"), nullptr);
    EXPECT_EQ(ks.find("my key")->password, "secret 50%");
    EXPECT_EQ(gui::item_text(w, keystore_path), file);
    EXPECT_FALSE(platform::file_exists(file + ".new"));
    EXPECT_FALSE(platform::file_exists(file + ".old"));
    EXPECT_TRUE(shows(w, keystore_stripe, kGreen));
    EXPECT_TRUE(wait_until([&] { return gui::item_enabled(w, ready); }));
    close(w, true);
    EXPECT_EQ(config_keys().at("keystore_path"), file);
    EXPECT_EQ(build::unscramble_text(config_keys().at("keystore_alias"), build::kScrambleKey),
              "my key");
}

TEST_F(Configurator, AReadOnlyKeystoreIsNotReplaced) {
    build::tool_config c = compile_support::toolchain_config();
    c.keystore_path.clear();
    write_config(c);
    const std::string file = scratch_.write("keys\\release.jks", "precious");
    testing_support::set_read_only(file, true);
    HWND w = start();
    ASSERT_NE(w, nullptr);
    wait_for_check(w);
    ASSERT_TRUE(wait_until([&] { return gui::item_enabled(w, create_keystore); }));
    HWND box = create_keystore_as(w, file);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::window_text(box), "Keystore");
    EXPECT_EQ(gui::message_text(box),
              file + "\rThis keystore is read-only: it has not been replaced.");
    gui::answer(box, IDOK);
    testing_support::set_read_only(file, false);
    EXPECT_EQ(scratch_.read("keys\\release.jks"), "precious");
    EXPECT_FALSE(platform::file_exists(file + ".new"));
    close(w, false);
}
