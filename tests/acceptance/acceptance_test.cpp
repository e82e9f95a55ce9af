// The whole suite as a user meets it, from a fresh Wine prefix: the installer run silently,
// Vexlo-config finding the build tools and creating a keystore, Vexlo.exe loading the BASIC!
// sample, changing it and compiling it into a signed APK, the installer run again over it,
// a broken source compiled into the failure report, its link in Lumo opening the editor, and
// the silent uninstall. The steps run in order and build on one another; each checks the files
// on disk and the windows' texts, and keeps a screenshot of every window it met (in
// %VEXLO_SHOTS%).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "acceptance/acceptance_support.h"
#include "core/build/build_names.h"
#include "core/build/scramble.h"
#include "core/configurator/configurator_texts.h"
#include "core/shell/main_window_model.h"
#include "core/text/text_helpers.h"
#include "gui/compile_support.h"
#include "gui/gui_driver.h"
#include "gui/png_facts.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "unit/test_support.h"
#include "gui/configurator_controls.h"
#include "vexlo-config/api_chooser_ids.h"
#include "vexlo-config/control_ids.h"
#include "vexlo/permissions_ids.h"
#include "winui/keystore_ids.h"
#include "vexlo_version.h"

using namespace acceptance;

namespace {

using gui::wait_until;

using namespace configurator_controls;

constexpr int kPermissionCallPhone =
    vexlo::permissions_ids::first_box + 16;  // its row in the table
constexpr int kPermissionsOk = vexlo::permissions_ids::ok;

// Where the stand-in tools go: where their real counterparts install themselves.
const std::string kJdk = "C:\\Program Files\\Java\\jdk1.8.0_202";
const std::string kSdk = "C:\\Program Files (x86)\\Android\\android-sdk";
const std::string kAnt = "C:\\apache-ant-1.9.16";
const std::string kAlias = "space";
const std::string kPassword = "galaxy 50%";
const std::string kAppName = "Space Demo";
const std::string kVersionCode = "20";

bool same_path(const std::string& a, const std::string& b) {
    return text::to_lower_ascii(a) == text::to_lower_ascii(b);
}

std::string file_text(const std::string& path) {
    std::string bytes;
    platform::read_file(path, bytes);
    return bytes;
}

bool holds(const std::string& path, const std::string& part) {
    return file_text(path).find(part) != std::string::npos;
}

std::string config_key(const char* key) {
    return platform::profile_read(installed_folder() + "Vexlo.cfg", "Config", key);
}

// Where the story's files stand: the suites follow one user from the installation to the
// uninstallation, and each finds what the earlier ones made at these fixed places.
std::string project_folder() {  // with a trailing backslash
    return documents_folder() + "Android projects\\Demo Game\\";
}
std::string keystore_file() {  // the keystore the configurator creates
    return documents_folder() + "space-release.jks";
}

// Answers the message box of the process with the button, after a screenshot; its text.
std::string answer_box(DWORD pid, int button, const std::string& shot_name,
                       int timeout_ms = 30000) {
    HWND box = gui::wait_message_box(pid, timeout_ms);
    if (!box) return "<no message box>";
    const std::string text = gui::message_text(box);
    shot(box, shot_name);
    gui::answer(box, button);
    return text;
}

// A program's main window, the program started from its Start-menu shortcut.
HWND start_from_menu(const std::string& shortcut, const std::string& caption) {
    if (!shell_open(start_menu_folder() + shortcut)) return nullptr;
    return wait_window_titled(caption, 30000);
}

class Vexlo : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(platform::file_exists(installed_folder() + "Vexlo.exe")) << "not installed";
    }
    HWND main_window() { return wait_window_titled(shell::kWindowCaption, 2000); }
};
using Report = Vexlo;

}  // namespace

TEST(Install, SilentInstallForThisUserWithShortcutsAndAnUninstallEntry) {
    const std::string setup = setup_file();
    ASSERT_FALSE(setup.empty()) << "VEXLO_SETUP names no installer";
    ASSERT_TRUE(platform::file_exists(setup)) << setup;
    EXPECT_EQ(version_string(setup, "CompanyName"), "Vexlo Tools");
    EXPECT_EQ(version_string(setup, "ProductVersion"), VEXLO_VERSION_TEXT);
    const std::string folder = installed_folder();
    ASSERT_FALSE(platform::file_exists(folder + "Vexlo.exe")) << "the prefix is not fresh";

    ASSERT_EQ(run_and_wait("\"" + setup + "\" /S", 60000), 0);
    for (const char* file : {"Vexlo.exe", "Vexlo-config.exe", "Uninstall.exe"})
        EXPECT_TRUE(platform::file_exists(folder + file)) << file;
    // Vexlo.exe writes the viewer it carries out by itself, when a report needs it.
    EXPECT_FALSE(platform::file_exists(folder + "Lumo.exe"));
    EXPECT_FALSE(platform::file_exists(folder + "Vexlo.cfg"));

    EXPECT_TRUE(
        same_path(shortcut_target(start_menu_folder() + "Vexlo.lnk"), folder + "Vexlo.exe"));
    EXPECT_TRUE(same_path(shortcut_target(start_menu_folder() + "Vexlo-config.lnk"),
                          folder + "Vexlo-config.exe"));

    ASSERT_TRUE(uninstall_entry_exists());
    EXPECT_EQ(uninstall_value("DisplayName"), std::string("Vexlo ") + VEXLO_VERSION_TEXT);
    EXPECT_EQ(uninstall_value("DisplayVersion"), VEXLO_VERSION_TEXT);
    EXPECT_EQ(uninstall_value("Publisher"), "Vexlo Tools");
    EXPECT_TRUE(same_path(uninstall_value("InstallLocation") + "\\", folder));
    EXPECT_TRUE(same_path(uninstall_value("UninstallString"), "\"" + folder + "Uninstall.exe\""));
    EXPECT_TRUE(
        same_path(uninstall_value("QuietUninstallString"), "\"" + folder + "Uninstall.exe\" /S"));
    EXPECT_EQ(uninstall_number("NoModify"), 1u);
    // Kilobytes of the installed files: the two programs and the uninstaller.
    EXPECT_GT(uninstall_number("EstimatedSize"), 500u);
    EXPECT_LT(uninstall_number("EstimatedSize"), 6u * 1024u);
}

TEST(Install, EveryProgramCarriesItsVersionAndIcon) {
    const std::string folder = installed_folder();
    const struct {
        const char* file;
        const char* description;
    } programs[] = {{"Vexlo.exe", "Android Vexlo Tools"},
                    {"Vexlo-config.exe", "Android Vexlo Configurator"}};
    for (const auto& p : programs) {
        const std::string file = folder + p.file;
        EXPECT_EQ(version_string(file, "CompanyName"), "Vexlo Tools") << p.file;
        EXPECT_EQ(version_string(file, "FileDescription"), p.description) << p.file;
        EXPECT_EQ(version_string(file, "FileVersion"), VEXLO_VERSION_TEXT) << p.file;
        EXPECT_EQ(version_string(file, "ProductVersion"), VEXLO_VERSION_TEXT) << p.file;
        EXPECT_EQ(version_string(file, "ProductName"), "Vexlo") << p.file;
        EXPECT_EQ(fixed_file_version(file), VEXLO_VERSION_TEXT) << p.file;
        EXPECT_GE(icon_count(file), 1) << p.file;
    }
    EXPECT_GE(icon_count(folder + "Uninstall.exe"), 1);
}

TEST(Configurator, FindsTheToolsCreatesAKeystoreAndWritesTheConfiguration) {
    ASSERT_TRUE(platform::file_exists(installed_folder() + "Vexlo-config.exe"));
    // Ant's folder goes on the PATH, as its manual says; the folder itself comes later.
    SetEnvironmentVariableW(
        L"PATH",
        platform::widen(platform::environment_variable("PATH") + ";" + kAnt + "\\bin").c_str());

    // Started right after the installation, before any tool is there: every section is red.
    const std::string caption(configurator::kWindowCaption);
    HWND w = start_from_menu("Vexlo-config.lnk", caption);
    ASSERT_NE(w, nullptr);
    DWORD pid = process_of(w);
    const std::string progress_caption(configurator::kMessageCaption);
    auto wait_for_check = [&] {
        wait_window_titled(progress_caption, 1500);  // the check starts at the first tick
        EXPECT_TRUE(wait_until(
            [&] { return !wait_window_titled(progress_caption, 0) && IsWindowEnabled(w); }, 30000));
        gui::settle(w);
    };
    wait_for_check();
    for (int box : {jdk_path, sdk_path, ant_path, keystore_path})
        EXPECT_EQ(gui::item_text(w, box), configurator::kNoneSelected) << box;
    for (int button : {jdk_detect, sdk_detect, ant_detect})
        EXPECT_TRUE(gui::item_enabled(w, button)) << button;
    EXPECT_FALSE(gui::item_enabled(w, ready));
    EXPECT_TRUE(gui::no_message_box(pid, 300));
    shot(w, "configurator-nothing-installed");

    // Then the JDK, the SDK and Ant are installed where their installers put them.
    const std::string staging = platform::temp_folder() + "\\toolchain-download";
    ASSERT_EQ(run_and_wait("\"" + compile_support::fake_tools_folder() + "fake_toolchain.exe\" \"" +
                               staging + "\"",
                           30000),
              0);
    platform::make_directories("C:\\Program Files\\Java");
    platform::make_directories("C:\\Program Files (x86)\\Android");
    ASSERT_TRUE(
        MoveFileW(platform::widen(staging + "\\jdk").c_str(), platform::widen(kJdk).c_str()));
    ASSERT_TRUE(
        MoveFileW(platform::widen(staging + "\\sdk").c_str(), platform::widen(kSdk).c_str()));
    ASSERT_TRUE(
        MoveFileW(platform::widen(staging + "\\ant").c_str(), platform::widen(kAnt).c_str()));
    // The SDK holds several platforms (and an add-on and a preview): one must be chosen.
    std::string targets;
    ASSERT_TRUE(platform::read_file(
        testing_support::fixture("configurator\\platforms_addons_preview.txt"), targets));
    ASSERT_TRUE(
        platform::write_file(kSdk + "\\tools\\lib\\targets.txt", text::to_crlf_text(targets)));

    gui::click(w, jdk_detect);
    EXPECT_EQ(answer_box(pid, IDOK, "configurator-jdk-found"),
              "Java SE Dev. Kit found in:\r" + kJdk);
    EXPECT_EQ(gui::item_text(w, jdk_path), kJdk);

    gui::click(w, sdk_detect);
    EXPECT_EQ(answer_box(pid, IDOK, "configurator-sdk-found"), "Android SDK found in:\r" + kSdk);
    EXPECT_EQ(gui::item_text(w, sdk_path), kSdk);

    gui::click(w, ant_detect);
    EXPECT_EQ(answer_box(pid, IDOK, "configurator-ant-found"), "Apache Ant found in:\r" + kAnt);
    EXPECT_EQ(gui::item_text(w, ant_path), kAnt);
    gui::settle(w);
    shot(w, "configurator-tools-found");

    // The SDK's platforms are listed when the configurator starts: closed and started again.
    PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(w); }));
    EXPECT_EQ(config_key("jdk_path"), kJdk);  // what was found is kept on closing
    EXPECT_EQ(config_key("android_sdk_path"), kSdk);
    EXPECT_EQ(config_key("ant_path"), kAnt);
    w = start_from_menu("Vexlo-config.lnk", caption);
    ASSERT_NE(w, nullptr);
    pid = process_of(w);
    if (HWND progress = wait_window_titled(progress_caption, 3000))
        shot(progress, "configurator-api-check");
    wait_for_check();
    EXPECT_EQ(gui::item_text(w, jdk_path), kJdk);
    EXPECT_EQ(gui::item_text(w, sdk_path), kSdk);
    EXPECT_EQ(gui::item_text(w, ant_path), kAnt);
    EXPECT_TRUE(gui::no_message_box(pid, 500));
    // Several platforms and none chosen yet: the chooser is one click away.
    HWND chooser = wait_window_titled("Android SDK", 1000);
    if (!chooser) {
        shot(w, "configurator-choose-api");
        gui::click(w, configure_sdk);
        chooser = wait_window_titled("Android SDK");
    }
    ASSERT_NE(chooser, nullptr);
    const std::vector<std::string> apis = gui::combo_items(chooser, chooser_list);
    const auto api23 = std::find_if(apis.begin(), apis.end(), [](const std::string& item) {
        return item.find("(API  23)") != std::string::npos;
    });
    ASSERT_NE(api23, apis.end()) << apis.size();
    gui::combo_choose(chooser, chooser_list, static_cast<int>(api23 - apis.begin()));
    gui::settle(chooser);
    shot(chooser, "configurator-api-chooser");
    gui::click(chooser, chooser_button);
    EXPECT_TRUE(wait_gone(chooser));

    // A new keystore in the user's documents.
    ASSERT_TRUE(wait_until([&] { return gui::item_enabled(w, create_keystore); }));
    gui::click(w, create_keystore);
    HWND save = gui::wait_file_dialog(pid);
    ASSERT_NE(save, nullptr);
    shot(save, "configurator-keystore-save-as");
    gui::type_into_file_dialog(save, keystore_file());
    HWND keystore = wait_window_titled("Keystore");
    ASSERT_NE(keystore, nullptr);
    gui::set_item_text(keystore, keystore_alias, kAlias);
    gui::set_item_text(keystore, keystore_password, kPassword);
    gui::set_item_text(keystore, keystore_confirm, kPassword);
    shot(keystore, "configurator-keystore");
    gui::click(keystore, IDOK);
    HWND details = wait_window_titled("Keystore details");
    ASSERT_NE(details, nullptr);
    shot(details, "configurator-keystore-details");
    gui::click(details, IDOK);
    EXPECT_EQ(answer_box(pid, IDOK, "configurator-keystore-created"),
              "Your keystore has been successfuly created");
    // Then, once, the new key's fingerprint and why the keystore must be kept safe.
    HWND advice = nullptr;
    ASSERT_TRUE(wait_until(
        [&] {
            advice = gui::wait_message_box(pid, 0);
            return advice && gui::message_text(advice).rfind("Your keystore:\r", 0) == 0;
        },
        30000));
    const std::string advice_text = gui::message_text(advice);
    EXPECT_NE(advice_text.find("\rCertificate SHA-256: "), std::string::npos) << advice_text;
    EXPECT_NE(advice_text.find("can never be updated"), std::string::npos) << advice_text;
    shot(advice, "configurator-keystore-keep-safe");
    gui::answer(advice, IDNO);
    EXPECT_TRUE(platform::file_exists(keystore_file()));
    EXPECT_EQ(gui::item_text(w, keystore_path), keystore_file());

    ASSERT_TRUE(wait_until([&] { return gui::item_enabled(w, ready); }, 20000));
    shot(w, "configurator-ready");
    gui::click(w, ready);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(w); }));

    EXPECT_EQ(config_key("jdk_path"), kJdk);
    EXPECT_EQ(config_key("android_sdk_path"), kSdk);
    EXPECT_EQ(config_key("build_tools_path"), kSdk + "\\build-tools\\23.0.3");
    EXPECT_EQ(config_key("api_target_id"), "3");
    EXPECT_EQ(config_key("ant_path"), kAnt);
    EXPECT_EQ(config_key("keystore_path"), keystore_file());
    EXPECT_EQ(build::unscramble_text(config_key("keystore_alias"), build::kScrambleKey), kAlias);
    EXPECT_EQ(build::unscramble_text(config_key("keystore_password"), build::kScrambleKey),
              kPassword);
}

TEST_F(Vexlo, LoadsACopyOfTheBasicSampleWithTheLoadButton) {
    ASSERT_TRUE(platform::file_exists(installed_folder() + "Vexlo.cfg"));
    testing_support::copy_tree(testing_support::fixture("basic-project"),
                               testing_support::without_trailing(project_folder()));
    ASSERT_TRUE(platform::file_exists(project_folder() + "AndroidManifest.xml"));

    HWND w = start_from_menu("Vexlo.lnk", shell::kWindowCaption);
    ASSERT_NE(w, nullptr);
    const DWORD pid = process_of(w);
    EXPECT_TRUE(gui::no_message_box(pid, 500));  // the configuration is complete
    EXPECT_EQ(gui::item_text(w, shell::id_status),
              "Please load a project with the \"Load\" button");
    shot(w, "vexlo-start");

    gui::click(w, shell::id_load);
    HWND browser = wait_other_window(pid, w);
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(choose_in_folder_browser(browser, {"Documents", "Android projects", "Demo Game"}));
    shot(browser, "vexlo-load-project");
    gui::click(browser, IDOK);
    EXPECT_TRUE(wait_gone(browser));
    EXPECT_TRUE(wait_until([&] {
        return gui::item_text(w, shell::id_status) == "This is an (Android) BASIC! based project";
    })) << gui::item_text(w, shell::id_status);
    EXPECT_EQ(gui::item_text(w, shell::id_app_name), "Demo Game");
    EXPECT_EQ(gui::item_text(w, shell::id_package), "com.rfo.basic");
    EXPECT_EQ(gui::item_text(w, shell::id_version_name), "01.91");
    EXPECT_EQ(gui::item_text(w, shell::id_version_code), "1911");
    EXPECT_EQ(gui::item_text(w, shell::id_load), "Change");
    shot(w, "vexlo-project-loaded");
}

TEST_F(Vexlo, ChangesNameVersionAndAPermissionAndApplies) {
    HWND w = main_window();
    ASSERT_NE(w, nullptr);
    const DWORD pid = process_of(w);
    gui::set_item_text(w, shell::id_app_name, kAppName);
    gui::set_item_text(w, shell::id_version_name, "2.0");
    gui::set_item_text(w, shell::id_version_code, kVersionCode);
    gui::click(w, shell::id_permissions);
    HWND d = wait_window_titled("App permissions");
    ASSERT_NE(d, nullptr);
    // A game has no business calling anyone.
    EXPECT_TRUE(gui::is_checked(d, kPermissionCallPhone));
    SendMessageW(GetDlgItem(d, kPermissionCallPhone), BM_SETCHECK, BST_UNCHECKED, 0);
    shot(d, "vexlo-permissions");
    gui::click(d, kPermissionsOk);
    EXPECT_TRUE(wait_gone(d));
    gui::settle(w);
    EXPECT_TRUE(gui::item_enabled(w, shell::id_apply));
    shot(w, "vexlo-changes-pending");

    gui::click(w, shell::id_apply);
    HWND question = gui::wait_message_box(pid);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(gui::window_text(question), "Apply changes");
    shot(question, "vexlo-apply-question");
    gui::answer(question, IDYES);
    EXPECT_EQ(answer_box(pid, IDOK, "vexlo-changes-applied"),
              "The following properties have been correctly changed:\r- project name\r"
              "- project version number\r- project version code\r- project permissions\r");
    EXPECT_FALSE(gui::item_enabled(w, shell::id_apply));

    const std::string setup = file_text(project_folder() + "res\\values\\setup.xml");
    EXPECT_NE(setup.find("<string name=\"app_name\">Space Demo</string>"), std::string::npos);
    const std::string manifest = file_text(project_folder() + "AndroidManifest.xml");
    EXPECT_NE(manifest.find("android:versionName=\"2.0\""), std::string::npos);
    // The sample writes "android:versionCode = ..." with spaces, which Apply leaves as they are.
    EXPECT_NE(manifest.find("android:versionCode = \"20\""), std::string::npos);
    EXPECT_EQ(manifest.find("android.permission.CALL_PHONE"), std::string::npos);
    EXPECT_NE(manifest.find("android.permission.CAMERA\""), std::string::npos);
}

TEST_F(Vexlo, ChangesTheAppIcon) {
    HWND w = main_window();
    ASSERT_NE(w, nullptr);
    const DWORD pid = process_of(w);
    const std::string picture = documents_folder() + "Pictures\\space icon.png";
    platform::make_directories(documents_folder() + "Pictures");
    ASSERT_TRUE(write_disc_png(picture, 256));
    ASSERT_EQ(gui::item_text(w, shell::id_picture), "Change BASIC! App icon");
    gui::click(w, shell::id_picture);
    HWND files = gui::wait_file_dialog(pid);
    ASSERT_NE(files, nullptr);
    shot(files, "vexlo-choose-icon");
    gui::type_into_file_dialog(files, picture);
    EXPECT_TRUE(wait_gone(files));
    EXPECT_EQ(answer_box(pid, IDOK, "vexlo-icon-changed"), "Done !");
    const struct {
        const char* folder;
        int size;
    } densities[] = {{"drawable-xhdpi", 96},
                     {"drawable-hdpi", 72},
                     {"drawable-mdpi", 48},
                     {"drawable-ldpi", 36}};
    for (const auto& d : densities) {
        const gui::png_facts icon =
            gui::read_png(project_folder() + "res\\" + d.folder + "\\icon.png");
        ASSERT_TRUE(icon.loaded) << d.folder;
        EXPECT_EQ(icon.width, d.size) << d.folder;
        EXPECT_EQ(icon.height, d.size) << d.folder;
        EXPECT_EQ(icon.corner.GetA(), 0) << d.folder;
        EXPECT_EQ(icon.centre.GetA(), 255) << d.folder;
    }
    shot(w, "vexlo-new-icon");
}

TEST_F(Vexlo, UpdatesTheBasicProgramWithItsIncludes) {
    HWND w = main_window();
    ASSERT_NE(w, nullptr);
    const DWORD pid = process_of(w);
    const std::string sources = documents_folder() + "BASIC programs\\";
    platform::make_directories(sources + "lib");
    ASSERT_TRUE(platform::write_file(sources + "lib\\stars.bas",
                                     "FN.DEF stars(n)\r\n  FN.RTN n * 2\r\nFN.END\r\n"));
    ASSERT_TRUE(platform::write_file(
        sources + "space.bas",
        "! Space Demo\r\nINCLUDE \"lib/stars.bas\"\r\nPRINT \"Stars: \"; stars(21)\r\nEND\r\n"));
    ASSERT_EQ(gui::item_text(w, shell::id_program), "Update BASIC! program");
    gui::click(w, shell::id_program);
    HWND files = gui::wait_file_dialog(pid);
    ASSERT_NE(files, nullptr);
    shot(files, "vexlo-choose-program");
    gui::type_into_file_dialog(files, sources + "space.bas");
    EXPECT_TRUE(wait_gone(files));
    EXPECT_EQ(answer_box(pid, IDOK, "vexlo-program-updated"), "Done !");
    const std::string program = file_text(project_folder() + "assets\\demo\\source\\demo.bas");
    EXPECT_NE(program.find("! Space Demo\n"), std::string::npos) << program;
    EXPECT_NE(program.find("FN.DEF stars(n)\n"), std::string::npos) << program;
    EXPECT_NE(program.find("PRINT \"Stars: \"; stars(21)\n"), std::string::npos) << program;
    EXPECT_EQ(text::to_lower_ascii(program).find("include"), std::string::npos) << program;
}

TEST_F(Vexlo, CreatesTheCompileBatch) {
    HWND w = main_window();
    ASSERT_NE(w, nullptr);
    const DWORD pid = process_of(w);
    gui::click(w, shell::id_batch);
    const std::string question = answer_box(pid, IDYES, "vexlo-keystore-question");
    EXPECT_NE(question.find("keystore ?"), std::string::npos) << question;
    HWND created = gui::wait_message_box(pid, 30000);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(gui::window_text(created), "BuildAPK.bat");
    EXPECT_EQ(gui::message_text(created),
              "The compiling batch has been correctly created.\rLaunch it ?");
    shot(created, "vexlo-batch-created");
    gui::answer(created, IDNO);
    const std::string batch = file_text(project_folder() + "BuildAPK.bat");
    EXPECT_NE(batch.find(keystore_file()), std::string::npos) << batch;
    EXPECT_NE(batch.find("\r\n"), std::string::npos);
}

TEST_F(Vexlo, CompilesASignedApk) {
    HWND w = main_window();
    ASSERT_NE(w, nullptr);
    const DWORD pid = process_of(w);
    const std::string apk = project_folder() + build::apk_file_name(kAppName, kVersionCode);
    gui::click(w, shell::id_compile);
    // The batch just written names the keystore; should the program ask, the answer is the same.
    HWND next = nullptr;
    bool progress_seen = false;
    gui::wait_until(
        [&] {
            if (HWND box = gui::wait_message_box(pid, 0)) {
                if (gui::message_text(box).find("keystore ?") == std::string::npos) {
                    next = box;
                    return true;
                }
                shot(box, "vexlo-keystore-question-again");
                gui::answer(box, IDYES);
            }
            if (!progress_seen) {
                if (HWND progress = wait_window_titled(shell::kProgramCaption, 0)) {
                    shot(progress, "vexlo-compiling");
                    progress_seen = true;
                }
            }
            return false;
        },
        90000);
    ASSERT_NE(next, nullptr);
    const std::string text = gui::message_text(next);
    shot(next, "vexlo-apk-built");
    gui::answer(next, IDOK);
    EXPECT_EQ(text.rfind("Project has been successfully built into an APK that\r", 0), 0u) << text;
    EXPECT_NE(text.find("Compilation time : "), std::string::npos) << text;
    EXPECT_TRUE(holds(apk, "signed-by=" + kAlias)) << apk;
    for (const char* gone : {".avlo", "ant.properties", "temp.bat", "temp.txt"})
        EXPECT_FALSE(platform::file_exists(project_folder() + gone)) << gone;
    // Explorer shows the new APK; its window is not the program's.
    if (HWND explorer = wait_window_titled("Demo Game", 5000)) {
        shot(explorer, "explorer-apk");
        PostMessageW(explorer, WM_CLOSE, 0, 0);
    }
}

TEST_F(Vexlo, ClosesAndRemembersTheProject) {
    HWND w = main_window();
    ASSERT_NE(w, nullptr);
    PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(w); }));
    EXPECT_TRUE(holds(platform::user_data_folder() + "\\Vexlo.recent.projects",
                      testing_support::without_trailing(project_folder())));
}

TEST(Update, InstallingAgainKeepsTheConfigurationAndOffersTheConfigurator) {
    const std::string folder = installed_folder();
    ASSERT_TRUE(platform::file_exists(folder + "Vexlo.cfg"));
    // A viewer written out by an earlier Vexlo.exe: the new Vexlo.exe must write out its own.
    ASSERT_TRUE(platform::write_file(folder + "Lumo.exe", "the viewer of an earlier version"));
    const std::string keystore_before = config_key("keystore_path");

    gui::running_program setup(setup_file());
    const std::string title = std::string("Vexlo ") + VEXLO_VERSION_TEXT + " Setup";
    HWND w = gui::wait_window(setup.pid(), title, 20000);
    ASSERT_NE(w, nullptr);
    constexpr int next = 1;  // Next, Install and Finish
    auto page_with_button = [&](const std::string& caption) {
        return wait_until(
            [&] { return gui::item_text(w, next) == caption && gui::item_enabled(w, next); },
            30000);
    };
    ASSERT_TRUE(page_with_button("&Next >"));
    shot(w, "setup-welcome");
    gui::click(w, next);
    // The folder of the installation is proposed again.
    ASSERT_TRUE(page_with_button("&Install"));
    EXPECT_TRUE(shows_text(w, testing_support::without_trailing(folder)));
    shot(w, "setup-folder");
    gui::click(w, next);
    ASSERT_TRUE(page_with_button("&Finish"));
    EXPECT_TRUE(shows_text(w, "Start Vexlo-config now to find the build tools"));
    shot(w, "setup-finish");
    gui::click(w, next);
    EXPECT_TRUE(setup.wait_exit(10000));

    // The finish page started the configurator, which finds everything ready.
    HWND configurator = wait_window_titled(std::string(configurator::kWindowCaption), 20000);
    ASSERT_NE(configurator, nullptr);
    EXPECT_TRUE(wait_until([&] { return gui::item_enabled(configurator, ready); }, 30000));
    shot(configurator, "configurator-all-set");
    PostMessageW(configurator, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(configurator); }));

    EXPECT_FALSE(platform::file_exists(folder + "Lumo.exe"));
    EXPECT_TRUE(platform::file_exists(folder + "Vexlo.exe"));
    EXPECT_EQ(config_key("jdk_path"), kJdk);
    EXPECT_EQ(config_key("keystore_path"), keystore_before);
    EXPECT_EQ(build::unscramble_text(config_key("keystore_alias"), build::kScrambleKey), kAlias);
}

TEST_F(Report, ABrokenJavaSourceEndsInTheReportWhoseLinkOpensTheEditor) {
    // Another day: Vexlo is started again and the project taken from the recent list.
    HWND w = start_from_menu("Vexlo.lnk", shell::kWindowCaption);
    ASSERT_NE(w, nullptr);
    const DWORD pid = process_of(w);
    const std::string listed = testing_support::without_trailing(project_folder());
    const std::vector<std::string> recent = gui::combo_items(w, shell::id_recent);
    const auto entry = std::find(recent.begin(), recent.end(), listed);
    ASSERT_NE(entry, recent.end());
    gui::combo_choose(w, shell::id_recent, static_cast<int>(entry - recent.begin()));
    gui::settle(w);
    EXPECT_TRUE(wait_until([&] { return gui::item_text(w, shell::id_app_name) == kAppName; }));
    shot(w, "vexlo-recent-project");
    const std::string folder = installed_folder();
    // The editor the report's links start, in the place of the system's own; it notes its
    // command lines in the temporary folder.
    const std::string editor_log = platform::temp_folder() + "\\fake-editor.txt";
    platform::remove_file(editor_log);
    wchar_t system[MAX_PATH] = {}, windows[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    GetWindowsDirectoryW(windows, MAX_PATH);
    for (const wchar_t* place : {system, windows})
        ASSERT_TRUE(platform::copy_file(compile_support::fake_tools_folder() + "fake_editor.exe",
                                        platform::narrow(place) + "\\notepad.exe"));
    // Wine prefers its own programs of the system folder to the files there.
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides", L"notepad.exe",
                              REG_SZ, L"native", sizeof L"native"),
              ERROR_SUCCESS);

    // One statement loses its semicolon.
    const std::string java_source = project_folder() + "src\\com\\rfo\\basic\\Basic.java";
    std::string source = file_text(java_source);
    const std::string statement = "import android.os.Bundle;";
    const std::size_t at = source.find(statement);
    ASSERT_NE(at, std::string::npos) << source;
    const std::size_t semicolon = at + statement.size() - 1;
    source.erase(semicolon, 1);
    const int broken_line =
        1 + static_cast<int>(std::count(source.begin(), source.begin() + semicolon, '\n'));
    ASSERT_TRUE(platform::write_file(java_source, source));

    gui::click(w, shell::id_compile);
    HWND viewer = nullptr;
    gui::wait_until(
        [&] {
            if (HWND box = gui::wait_message_box(pid, 0)) {  // a new day: which keystore?
                EXPECT_NE(gui::message_text(box).find("keystore ?"), std::string::npos)
                    << gui::message_text(box);
                shot(box, "vexlo-keystore-question-new-day");
                gui::answer(box, IDYES);
            }
            viewer = wait_window_titled("lumoview", 0);
            return viewer != nullptr;
        },
        90000);
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(gui::no_message_box(pid, 500));  // the report speaks for itself
    // The viewer Vexlo.exe wrote out is this version's, with its version block and icon.
    const std::string lumo = folder + "Lumo.exe";
    EXPECT_EQ(version_string(lumo, "FileDescription"), "Lumo report viewer");
    EXPECT_EQ(version_string(lumo, "CompanyName"), "Vexlo Tools");
    EXPECT_EQ(version_string(lumo, "FileVersion"), VEXLO_VERSION_TEXT);
    EXPECT_EQ(fixed_file_version(lumo), VEXLO_VERSION_TEXT);
    EXPECT_GE(icon_count(lumo), 1);
    const std::string index = file_text(folder + "index.htm");
    EXPECT_NE(index.find("Sorry, compiling has failed."), std::string::npos);
    const std::string location = "Basic.java:" + std::to_string(broken_line) + "</a>";
    EXPECT_NE(index.find(location), std::string::npos) << index;
    // The viewer shows its start page again when it becomes active: that is waited for.
    gui::wait_active(viewer);
    shot(viewer, "lumo-report");

    // The link of the error: the links are followed in page order with Tab.
    int link = -1, number = 0;
    for (std::size_t at = index.find("<a href='"); at != std::string::npos;
         at = index.find("<a href='", at + 1), ++number) {
        const std::size_t end = index.find('\'', at + 9);
        const std::string target = index.substr(at + 9, end - at - 9);
        if (holds(folder + target, "Basic.java")) link = number;
    }
    ASSERT_GE(link, 0) << index;
    HWND view = FindWindowExW(viewer, nullptr, L"LumoHtmlView", nullptr);
    ASSERT_NE(view, nullptr);
    DWORD_PTR ignored = 0;
    for (int i = 0; i <= link; ++i)
        SendMessageTimeoutW(view, WM_KEYDOWN, VK_TAB, 1, SMTO_ABORTIFHUNG, 10000, &ignored);
    SendMessageTimeoutW(view, WM_KEYDOWN, VK_RETURN, 1, SMTO_ABORTIFHUNG, 10000, &ignored);

    HWND editor = wait_window_titled("Basic.java - editor", 30000);
    ASSERT_NE(editor, nullptr);
    shot(editor, "editor-at-the-error");
    EXPECT_NE(file_text(editor_log).find(java_source), std::string::npos) << file_text(editor_log);
    PostMessageW(editor, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wait_gone(editor));
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wait_gone(viewer));
    PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(w); }));
    EXPECT_TRUE(platform::file_exists(project_folder() + "ant_log.txt"));
}

TEST(Uninstall, WhileAProgramRunsItStopsAndRemovesNothing) {
    const std::string folder = installed_folder();
    HWND w = start_from_menu("Vexlo.lnk", shell::kWindowCaption);
    ASSERT_NE(w, nullptr);
    shot(w, "vexlo-still-running");
    // Run in place (not from its copy in the temporary folder), to see its exit code.
    EXPECT_EQ(run_and_wait("\"" + folder +
                               "Uninstall.exe\" /S _?=" + testing_support::without_trailing(folder),
                           30000),
              2);
    for (const char* kept :
         {"Vexlo.exe", "Vexlo-config.exe", "Lumo.exe", "Uninstall.exe", "index.htm", "bat\\2.bat"})
        EXPECT_TRUE(platform::file_exists(folder + kept)) << kept;
    EXPECT_TRUE(uninstall_entry_exists());
    EXPECT_TRUE(platform::file_exists(start_menu_folder() + "Vexlo.lnk"));
    PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(w); }));
}

TEST(Uninstall, SilentUninstallRemovesWhatWasInstalledAndGeneratedAndKeepsTheUsersFiles) {
    const std::string folder = installed_folder();
    ASSERT_TRUE(uninstall_entry_exists());
    // Something of the user's own beside the programs and among the report's batches.
    ASSERT_TRUE(platform::write_file(folder + "bat\\my tools.bat", "@echo off\r\n"));
    ASSERT_TRUE(platform::write_file(folder + "notes.txt", "mine"));
    ASSERT_TRUE(platform::file_exists(folder + "bat\\2.bat"));
    const std::string command = uninstall_value("QuietUninstallString");
    ASSERT_FALSE(command.empty());
    ASSERT_EQ(run_and_wait(command, 30000), 0);
    // The uninstaller finishes from a copy of itself in the temporary folder.
    EXPECT_TRUE(wait_until(
        [&] {
            return !uninstall_entry_exists() && !platform::file_exists(folder + "Uninstall.exe");
        },
        30000));

    for (const char* gone : {"Vexlo.exe", "Vexlo-config.exe", "Lumo.exe", "index.htm", "bat\\0.bat",
                             "bat\\2.bat", "Uninstall.exe"})
        EXPECT_FALSE(platform::file_exists(folder + gone)) << gone;
    EXPECT_FALSE(platform::file_exists(start_menu_folder() + "Vexlo.lnk"));
    EXPECT_FALSE(platform::file_exists(start_menu_folder()));
    // The user's configuration, files and projects stay.
    for (const char* kept : {"Vexlo.cfg", "notes.txt", "bat\\my tools.bat"})
        EXPECT_TRUE(platform::file_exists(folder + kept)) << kept;
    EXPECT_TRUE(platform::file_exists(keystore_file()));
    EXPECT_TRUE(platform::file_exists(project_folder() + "AndroidManifest.xml"));
    EXPECT_TRUE(platform::file_exists(project_folder() + "BuildAPK.bat"));
    EXPECT_TRUE(platform::file_exists(platform::user_data_folder() + "\\Vexlo.recent.projects"));
}
