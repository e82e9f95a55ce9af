// Complete compiles of Vexlo.exe under Wine with the stand-in toolchain, driven as a user would:
// the keystore question, the progress dialog, Cancel, the outcome messages, the failure report,
// "Create batch" and "Clean project".
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <set>
#include <vector>

#include "core/build/ant_properties.h"
#include "core/build/build_names.h"
#include "core/build/compile_batch_text.h"
#include "core/shell/main_window_model.h"
#include "core/shell/recent_projects.h"
#include "fake-tools/fake_keystore.h"
#include "gui/compile_support.h"
#include "gui/gui_driver.h"
#include "vexlo/compile_progress_ids.h"
#include "winui/keystore_ids.h"
#include "platform/win32/utf16.h"
#include "unit/test_support.h"

using namespace shell;

namespace {

constexpr int kProgressCancel = vexlo::id_progress_cancel;
constexpr int kProgressTitle = vexlo::id_progress_title;
constexpr int kProgressStep = vexlo::id_progress_step;
constexpr int kProgressAnimation = vexlo::id_progress_animation;

std::string user_file(const char* extension) {
    return per_user_file(platform::user_data_folder(), "Vexlo.exe", extension);
}

bool file_holds(const std::string& path, const std::string& part) {
    std::string bytes;
    return platform::read_file(path, bytes) && bytes.find(part) != std::string::npos;
}

class Compile : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(compile_support::toolchain().empty());
        ASSERT_TRUE(compile_support::write_config(compile_support::toolchain_config()));
        platform::remove_file(user_file(".pos"));
        for (const char* f : {"index.htm", "bat\\0.bat", "bat\\2.bat", "bat\\3.bat"})
            platform::remove_file(gui::bin_folder() + f);
    }
    void TearDown() override {
        program_.reset();
        compile_support::end_processes("Lumo.exe");
        platform::remove_file(user_file(".recent.projects"));
    }
    // A copy of a fixture project, optionally with knobs for the stand-in tools.
    std::string project(const char* fixture, const std::string& knobs = "") {
        const std::string folder = testing_support::copy_fixture(fixture, scratch_);
        if (!knobs.empty()) platform::write_file(folder + "fake-tools.txt", knobs);
        return folder;
    }
    // Starts Vexlo.exe with the project loaded.
    HWND start(const std::string& folder) {
        platform::make_directories(platform::user_data_folder());
        platform::write_file(user_file(".recent.projects"),
                             testing_support::without_trailing(folder) + "\r\n");
        program_ = std::make_unique<gui::running_program>(gui::bin_folder() + "Vexlo.exe");
        HWND w = gui::wait_window(program_->pid(), kWindowCaption);
        if (!w) return nullptr;
        gui::combo_choose(w, id_recent, 1);
        gui::settle(w);
        return w;
    }
    // The stand-in toolchain's configuration with another keystore (alias "demo").
    static bool configure_keystore(const std::string& keystore) {
        build::tool_config config = compile_support::toolchain_config();
        config.keystore_path = keystore;
        return compile_support::write_config(config);
    }
    HWND box(int timeout_ms = 30000) { return gui::wait_message_box(program_->pid(), timeout_ms); }
    HWND progress() { return gui::wait_window(program_->pid(), kProgramCaption, 20000); }
    // Answers the keystore question with Yes (the configured keystore).
    void use_configured_keystore() {
        HWND question = box();
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(gui::message_text(question).rfind("Use current Apkwright keystore ?", 0), 0u);
        gui::answer(question, IDYES);
    }
    // "Create batch" with the configured keystore, not launched; the batch's text.
    std::string create_batch(HWND w, const std::string& folder) {
        gui::click(w, id_batch);
        use_configured_keystore();
        HWND created = box();
        EXPECT_NE(created, nullptr);
        if (!created) return "";
        EXPECT_EQ(gui::window_text(created), "BuildAPK.bat");
        EXPECT_EQ(gui::message_text(created),
                  "The compiling batch has been correctly created.\rLaunch it ?");
        gui::answer(created, IDNO);
        std::string batch;
        EXPECT_TRUE(platform::read_file(folder + "BuildAPK.bat", batch));
        return batch;
    }
    std::string success_text() {
        HWND done = box(60000);
        if (!done) return "";
        const std::string text = gui::message_text(done);
        gui::answer(done, IDOK);
        return text;
    }

    testing_support::scratch_folder scratch_;
    std::unique_ptr<gui::running_program> program_;
};

// The sample's app name (its file writes "Caf&#233; Notes") and version code, cleaned for a
// file name.
const std::string kNotesApk = build::apk_file_name("Caf\xC3\xA9 Notes", "12");

}  // namespace

TEST_F(Compile, SignedApkThenASecondCompileThatAsksNothing) {
    const std::string folder = project("android-project");
    HWND w = start(folder);
    ASSERT_NE(w, nullptr);
    const std::string apk = folder + kNotesApk;

    gui::click(w, id_compile);
    use_configured_keystore();
    const std::string text = success_text();
    EXPECT_EQ(text.rfind("Project has been successfully built into an APK that\r", 0), 0u) << text;
    EXPECT_NE(text.find("Compilation time : "), std::string::npos);
    // Then what the verifier proved: the schemes and which certificate signed the APK.
    EXPECT_NE(text.find("\r\rSignature verified (schemes: v1, v2, v3).\rCertificate SHA-256: "),
              std::string::npos)
        << text;
    // And, the first time, what the target SDK (23) means for Google Play.
    EXPECT_NE(text.find("\r\rGoogle Play takes new apps and updates only with a target SDK of "),
              std::string::npos)
        << text;
    EXPECT_TRUE(file_holds(apk, "signed-by=demo"));
    for (const char* gone :
         {".avlo", "ant_log.txt", "ant.properties", "release.keystore", "temp.bat", "temp.txt"})
        EXPECT_FALSE(platform::file_exists(folder + gone)) << gone;
    EXPECT_TRUE(platform::file_exists(platform::temp_folder() + "\\vexlo.ant.properties"));

    platform::remove_file(apk);
    gui::click(w, id_compile);
    HWND next = box(60000);  // no question: straight to the build and its outcome
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(gui::message_text(next).rfind("Project has been successfully built", 0), 0u);
    EXPECT_EQ(gui::message_text(next).find("Google Play"), std::string::npos);  // said once
    gui::answer(next, IDOK);
    EXPECT_TRUE(platform::file_exists(apk));
}

TEST_F(Compile, SignedApkThatDoesNotVerifyIsNeverReportedAsSuccess) {
    const std::string folder = project("android-project", "apksigner_tamper=1\r\n");
    HWND w = start(folder);
    ASSERT_NE(w, nullptr);
    gui::click(w, id_compile);
    use_configured_keystore();
    HWND refused = box(60000);
    ASSERT_NE(refused, nullptr);
    const std::string text = gui::message_text(refused);
    EXPECT_EQ(text.rfind("The APK was signed but does not verify:\rAPK Signature Scheme v2 signer "
                         "#1: APK integrity check failed.",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find(folder + ".avlo\\verify_log.txt)"), std::string::npos) << text;
    gui::screenshot(refused, "compile-unverified");
    gui::answer(refused, IDNO);
    EXPECT_FALSE(platform::file_exists(folder + kNotesApk));
    EXPECT_TRUE(platform::file_exists(folder + ".avlo\\signed.apk"));
}

TEST_F(Compile, WrongKeyPasswordLeavesAnUnsignedApkOnly) {
    // The store password fits (the check passes) but the key has a password of its own.
    const std::string keystore = scratch_.path() + "other.keystore";
    fake::keystore ks;
    ks.store_password = "demo-pass";
    ks.keys.push_back({"demo", "key-pass"});
    ASSERT_TRUE(fake::write_keystore(keystore, ks));
    ASSERT_TRUE(configure_keystore(keystore));

    const std::string folder = project("android-project");
    HWND w = start(folder);
    ASSERT_NE(w, nullptr);
    gui::click(w, id_compile);
    use_configured_keystore();
    HWND warning = box(60000);
    ASSERT_NE(warning, nullptr);
    const std::string text = gui::message_text(warning);
    EXPECT_EQ(text.rfind("We could make an unsigned APK of the project\r", 0), 0u) << text;
    EXPECT_NE(text.find(folder + "ant_log.txt)"), std::string::npos);
    gui::answer(warning, IDNO);
    EXPECT_FALSE(platform::file_exists(folder + kNotesApk));
    EXPECT_TRUE(platform::file_exists(folder + ".avlo\\unsigned.apk"));
    EXPECT_TRUE(platform::file_exists(folder + "ant_log.txt"));
    EXPECT_FALSE(platform::file_exists(folder + ".avlo\\cert.jks"));
}

TEST_F(Compile, JavacFailureWritesTheReportAndOpensTheViewer) {
    const std::string folder = project("compile\\broken-notes");
    HWND w = start(folder);
    ASSERT_NE(w, nullptr);
    gui::click(w, id_compile);
    use_configured_keystore();
    const std::string bin = gui::bin_folder();
    const bool viewer_built = platform::file_exists(bin + "Lumo.exe");
    if (viewer_built) {
        // The report opens in the viewer and no message follows.
        EXPECT_TRUE(gui::wait_until([] { return compile_support::processes_named("Lumo.exe") > 0; },
                                    30000));
        EXPECT_TRUE(gui::no_message_box(program_->pid(), 1000));
    } else {
        // Without a viewer to show it, the raw log is offered instead.
        HWND failed = box(60000);
        ASSERT_NE(failed, nullptr);
        EXPECT_EQ(gui::message_text(failed).rfind("Sorry, compiling has failed.", 0), 0u);
        gui::answer(failed, IDNO);
    }
    EXPECT_TRUE(file_holds(bin + "index.htm", "Sorry, compiling has failed."));
    EXPECT_TRUE(file_holds(bin + "index.htm", "BrokenActivity.java:10</a>"));
    EXPECT_TRUE(file_holds(bin + "index.htm", "Counter.java:7</a>"));
    EXPECT_TRUE(file_holds(bin + "bat\\2.bat", "BrokenActivity.java"));
    EXPECT_TRUE(file_holds(bin + "bat\\3.bat", "Counter.java"));
    EXPECT_TRUE(file_holds(bin + "bat\\0.bat", folder + "ant_log.txt"));
    EXPECT_TRUE(platform::file_exists(folder + "ant_log.txt"));
    EXPECT_FALSE(platform::file_exists(folder + ".avlo\\unsigned.apk"));
    EXPECT_FALSE(platform::file_exists(folder + "ant.properties"));
}

TEST_F(Compile, ReportOfAProjectInAFolderOutsideTheConsoleCodePageKeepsItsLinks) {
    const std::string from = project("compile\\broken-notes");
    const std::string parent =
        scratch_.path() + "Zo\xC3\xAB\\Mes projets\\Caf\xC3\xA9 \xE6\xB8\xB8\xE6\x88\x8F";
    platform::make_directories(parent);
    const std::string folder = parent + "\\broken-notes\\";
    ASSERT_TRUE(MoveFileW(platform::widen(testing_support::without_trailing(from)).c_str(),
                          platform::widen(testing_support::without_trailing(folder)).c_str()));
    const std::string bin = gui::bin_folder();
    platform::remove_file(bin + "index.htm");  // an earlier report's must not count
    HWND w = start(folder);
    ASSERT_NE(w, nullptr);
    gui::click(w, id_compile);
    use_configured_keystore();
    ASSERT_TRUE(gui::wait_until([&] { return file_holds(bin + "index.htm", "Counter.java:7</a>"); },
                                60000));
    EXPECT_TRUE(file_holds(bin + "index.htm", "BrokenActivity.java:10</a>"));
    // Each link's batch names, in the console's code page, a file that is there.
    for (const char* batch : {"bat\\0.bat", "bat\\2.bat", "bat\\3.bat"}) {
        std::string bytes;
        ASSERT_TRUE(platform::read_file(bin + batch, bytes)) << batch;
        const std::string line = platform::batch_decoding(bytes);
        const std::size_t open = line.find('"'), close = line.find('"', open + 1);
        ASSERT_NE(close, std::string::npos) << line;
        EXPECT_TRUE(platform::file_exists(line.substr(open + 1, close - open - 1))) << line;
    }
    compile_support::end_processes("Lumo.exe");
}

TEST_F(Compile, CancelDuringCompilingClosesAtOnceAndEndsTheTool) {
    const std::string folder = project("android-project", "ant_release_delay_ms=60000\r\n");
    HWND w = start(folder);
    ASSERT_NE(w, nullptr);
    gui::click(w, id_compile);
    use_configured_keystore();
    HWND p = progress();
    ASSERT_NE(p, nullptr);
    ASSERT_TRUE(
        gui::wait_until([p] { return gui::item_text(p, kProgressStep) == "Compiling..."; }, 15000));
    gui::screenshot(p, "compile-progress");
    const auto pressed = std::chrono::steady_clock::now();
    gui::click(p, kProgressCancel);
    EXPECT_TRUE(gui::wait_until([p] { return !IsWindow(p); }, 2000));
    EXPECT_LT(std::chrono::steady_clock::now() - pressed, std::chrono::seconds(2));
    EXPECT_TRUE(gui::no_message_box(program_->pid(), 1500));
    EXPECT_TRUE(gui::item_enabled(w, id_compile));
    EXPECT_EQ(compile_support::processes_named("fake_ant.exe"), 0);
    EXPECT_FALSE(platform::file_exists(folder + "ant.properties"));
    EXPECT_FALSE(platform::file_exists(folder + "release.keystore"));
    EXPECT_FALSE(platform::file_exists(folder + kNotesApk));
}

TEST_F(Compile, ProgressDialogNamesEachStepAndAnimates) {
    const std::string folder =
        project("android-project",
                "android_update_delay_ms=3000\r\nant_clean_delay_ms=600\r\nant_release_delay_ms="
                "600\r\nzipalign_delay_ms=600\r\n");
    HWND w = start(folder);
    ASSERT_NE(w, nullptr);
    gui::click(w, id_compile);
    use_configured_keystore();
    HWND p = progress();
    ASSERT_NE(p, nullptr);
    std::vector<std::string> steps;
    std::set<LRESULT> frames_during_update;
    std::string title;
    // Watched until the dialog closes: each step's text and the frames shown while updating.
    EXPECT_TRUE(gui::wait_until(
        [&] {
            if (!IsWindow(p)) return true;
            const std::string step = gui::item_text(p, kProgressStep);
            if (!step.empty() && (steps.empty() || steps.back() != step)) steps.push_back(step);
            if (step == "Updating Android project") {
                title = gui::item_text(p, kProgressTitle);
                frames_during_update.insert(
                    SendDlgItemMessageW(p, kProgressAnimation, STM_GETIMAGE, IMAGE_BITMAP, 0));
                EXPECT_TRUE(gui::item_visible(p, kProgressAnimation));
            }
            return false;
        },
        120000));
    EXPECT_EQ(title, "Building Caf\xC3\xA9 Notes 12");
    EXPECT_EQ(steps, (std::vector<std::string>{"Updating Android project", "Cleaning...",
                                               "Compiling...", "Signing apk...", "Cleaning..."}));
    // Ten frames at 100 ms: a 3-second step shows every one of them.
    EXPECT_GE(frames_during_update.size(), 8u);
    EXPECT_EQ(success_text().rfind("Project has been successfully built", 0), 0u);
}

TEST_F(Compile, WrongStorePasswordAsksAgainUntilTheDialogGetsItRight) {
    ASSERT_TRUE(
        compile_support::write_config(compile_support::toolchain_config("demo", "wrong-pass")));
    const std::string folder = project("android-project");
    HWND w = start(folder);
    ASSERT_NE(w, nullptr);
    gui::click(w, id_compile);
    use_configured_keystore();
    HWND dialog = gui::wait_window(program_->pid(), "Keystore", 30000);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(gui::item_text(dialog, winui::keystore_ids::prompt),
              "The Alias and/or Password provided are incorrect for this keystore, try again:");
    EXPECT_EQ(gui::item_text(dialog, winui::keystore_ids::alias),
              "");  // the fields start empty after a failed check
    gui::screenshot(dialog, "keystore-dialog-mode1");

    auto press_ok_expecting = [&](const std::string& expected) {
        gui::click(dialog, IDOK);
        HWND refusal = box(10000);
        ASSERT_NE(refusal, nullptr);
        EXPECT_EQ(gui::window_text(refusal), "Keystore");
        EXPECT_NE(gui::message_text(refusal).find(expected), std::string::npos)
            << gui::message_text(refusal);
        gui::answer(refusal, IDOK);
        EXPECT_TRUE(IsWindow(dialog));
    };
    press_ok_expecting("You need to specify non-empty Alias and Password");
    gui::set_item_text(dialog, winui::keystore_ids::alias, "demo");
    press_ok_expecting("You need to specify non-empty Alias and Password");
    gui::set_item_text(dialog, winui::keystore_ids::password, "demo-pass");
    gui::set_item_text(dialog, winui::keystore_ids::confirm, "demo-Pass");
    press_ok_expecting("Passwords don't match");
    gui::set_item_text(dialog, winui::keystore_ids::password, "demo\"pass");
    gui::set_item_text(dialog, winui::keystore_ids::confirm, "demo\"pass");
    press_ok_expecting("double quote");

    gui::set_item_text(dialog, winui::keystore_ids::password, "still-wrong");
    gui::set_item_text(dialog, winui::keystore_ids::confirm, "still-wrong");
    gui::click(dialog, IDOK);
    gui::wait_until([dialog] { return !IsWindow(dialog); }, 4000);
    dialog = gui::wait_window(program_->pid(), "Keystore", 30000);  // checked, asked again
    ASSERT_NE(dialog, nullptr);
    gui::set_item_text(dialog, winui::keystore_ids::alias, "demo");
    gui::set_item_text(dialog, winui::keystore_ids::password, "demo-pass");
    gui::set_item_text(dialog, winui::keystore_ids::confirm, "demo-pass");
    gui::click(dialog, IDOK);
    EXPECT_EQ(success_text().rfind("Project has been successfully built", 0), 0u);
    EXPECT_TRUE(platform::file_exists(folder + kNotesApk));
}

TEST_F(Compile, CreateBatchThenCompileWithoutAnyQuestion) {
    const std::string folder = project("android-project");
    std::string gitignore_before;
    ASSERT_TRUE(platform::read_file(folder + ".gitignore", gitignore_before));
    HWND w = start(folder);
    ASSERT_NE(w, nullptr);
    const std::string batch = create_batch(w, folder);
    EXPECT_EQ(std::count(batch.begin(), batch.end(), '\n'), 16);
    EXPECT_NE(batch.find("copy " + compile_support::toolchain() +
                         "release.keystore release.keystore\r\n"),
              std::string::npos)
        << batch;
    EXPECT_TRUE(file_holds(folder + ".gitignore", "# Apkwright compiling batch"));
    EXPECT_TRUE(file_holds(folder + ".gitignore", gitignore_before));

    // A new start forgets the identity; the batch tells it again.
    program_.reset();
    w = start(folder);
    ASSERT_NE(w, nullptr);
    gui::click(w, id_compile);
    HWND next = box(60000);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(gui::message_text(next).rfind("Project has been successfully built", 0), 0u)
        << gui::message_text(next);
    gui::answer(next, IDOK);
}

TEST_F(Compile, BatchWhoseKeystoreVanishedIsDeletedAndTheUserAsked) {
    const std::string folder = project("android-project");
    const std::string properties = scratch_.write("props\\vexlo.ant.properties",
                                                  build::ant_properties_text("gone.jks", "a", "p"));
    platform::write_file(folder + "BuildAPK.bat",
                         build::compile_batch_text(compile_support::toolchain_config(), properties,
                                                   scratch_.path() + "gone.jks", "notes", "N.apk"));
    HWND w = start(folder);
    ASSERT_NE(w, nullptr);
    gui::click(w, id_compile);
    HWND question = box();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(gui::message_text(question).rfind("Use current Apkwright keystore ?", 0), 0u);
    EXPECT_FALSE(platform::file_exists(folder + "BuildAPK.bat"));
    gui::answer(question, IDCANCEL);
    EXPECT_TRUE(gui::no_message_box(program_->pid(), 800));
    EXPECT_FALSE(platform::file_exists(folder + "ant.properties"));
    EXPECT_FALSE(platform::file_exists(folder + "build.xml"));
}

TEST_F(Compile, CleanProjectRemovesTheBuildOutput) {
    const std::string folder = project("android-project");
    scratch_.write(folder.substr(scratch_.path().size()) + "bin\\old.apk", "x");
    scratch_.write(folder.substr(scratch_.path().size()) + ".avlo\\unsigned.apk", "x");
    HWND w = start(folder);
    ASSERT_NE(w, nullptr);
    gui::click(w, id_clean);
    HWND done = box(60000);
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(gui::message_text(done).rfind("Project successfully cleaned in ", 0), 0u);
    gui::answer(done, IDOK);
    EXPECT_FALSE(platform::file_exists(folder + "bin"));
    EXPECT_FALSE(platform::file_exists(folder + ".avlo"));
    EXPECT_TRUE(platform::file_exists(folder + "build.xml"));
}

TEST_F(Compile, ProjectFoldersWithCharactersOutsideTheConsoleCodePageCompile) {
    // Under Wine here the console's code page is 437: it has "é" but no Chinese characters.
    auto moved = [&](const std::string& parent) {
        const std::string from = project("android-project");
        platform::make_directories(scratch_.path() + parent);
        const std::string to = scratch_.path() + parent + "\\android-project\\";
        EXPECT_TRUE(MoveFileW(platform::widen(testing_support::without_trailing(from)).c_str(),
                              platform::widen(testing_support::without_trailing(to)).c_str()));
        return to;
    };
    const std::string cafe = moved("Caf\xC3\xA9");
    HWND w = start(cafe);
    ASSERT_NE(w, nullptr);
    gui::click(w, id_compile);
    use_configured_keystore();
    const std::string text = success_text();
    EXPECT_EQ(text.rfind("Project has been successfully built", 0), 0u) << text;
    EXPECT_TRUE(file_holds(cafe + kNotesApk, "signed-by=demo"));
    program_.reset();

    // A folder whose name the code page lacks is named by its short form.
    const std::string both = moved("Caf\xC3\xA9 \xE6\xB8\xB8\xE6\x88\x8F");
    w = start(both);
    ASSERT_NE(w, nullptr);
    gui::click(w, id_compile);
    use_configured_keystore();
    const std::string second = success_text();
    EXPECT_EQ(second.rfind("Project has been successfully built", 0), 0u) << second;
    EXPECT_TRUE(file_holds(both + kNotesApk, "signed-by=demo"));
    for (const char* gone : {"temp.bat", "ant.properties", "release.keystore", ".avlo"})
        EXPECT_FALSE(platform::file_exists(both + gone)) << gone;
}

TEST_F(Compile, BatchWithAKeystoreOutsideTheConsoleCodePageNamesItsShortFormAndCompiles) {
    // Under Wine here the console's code page is 437, which lacks the Chinese characters.
    const std::string keys = scratch_.path() + "Cl\xC3\xA9s \xE9\x92\xA5\xE5\x8C\x99\\";
    platform::make_directories(keys);
    const std::string keystore = keys + "release.keystore";
    ASSERT_TRUE(
        CopyFileW(platform::widen(compile_support::toolchain() + "release.keystore").c_str(),
                  platform::widen(keystore).c_str(), FALSE));
    ASSERT_TRUE(configure_keystore(keystore));
    const std::string folder = project("android-project");
    HWND w = start(folder);
    ASSERT_NE(w, nullptr);
    const std::string batch = create_batch(w, folder);
    // The keystore is named in characters the console reads, and still names the same file.
    const std::size_t end = batch.find(" release.keystore\r");
    ASSERT_NE(end, std::string::npos) << batch;
    const std::size_t copy = batch.rfind("\ncopy ", end) + 1;
    ASSERT_NE(copy, 0u) << batch;
    const std::string named = batch.substr(copy + 5, end - copy - 5);
    // Read as the console reads it: in its code page.
    wchar_t as_read[MAX_PATH] = {};
    ASSERT_GT(MultiByteToWideChar(GetOEMCP(), MB_ERR_INVALID_CHARS, named.data(),
                                  static_cast<int>(named.size()), as_read, MAX_PATH - 1),
              0)
        << named;
    wchar_t long_form[MAX_PATH] = {};
    ASSERT_GT(GetLongPathNameW(as_read, long_form, MAX_PATH), 0u) << named;
    EXPECT_EQ(CompareStringOrdinal(long_form, -1, platform::widen(keystore).c_str(), -1, TRUE),
              CSTR_EQUAL)
        << named;

    // A new start reads the keystore back from the batch: its short form signs the APK.
    program_.reset();
    w = start(folder);
    ASSERT_NE(w, nullptr);
    gui::click(w, id_compile);
    const std::string text = success_text();
    EXPECT_EQ(text.rfind("Project has been successfully built", 0), 0u) << text;
    EXPECT_TRUE(file_holds(folder + kNotesApk, "signed-by=demo"));
}
