// After a successful compile, the APK goes to a connected phone: Vexlo.exe under Wine with the
// stand-in adb, whose phones and answers each case chooses, driven through the real windows.
// What adb was asked to do is read back from its log.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/build/build_names.h"
#include "core/shell/main_window_model.h"
#include "core/shell/recent_projects.h"
#include "gui/compile_support.h"
#include "gui/gui_driver.h"
#include "vexlo/device_chooser_ids.h"
#include "vexlo/device_progress_ids.h"
#include "platform/win32/utf16.h"
#include "unit/test_support.h"

using namespace shell;

namespace {

constexpr int kChooserList = vexlo::id_chooser_list;
constexpr int kProgressTitle = vexlo::id_device_title;
constexpr int kProgressCancel = vexlo::id_device_cancel;

const std::string kApk = build::apk_file_name("Caf\xC3\xA9 Notes", "12");
const std::string kStart =
    " shell monkey -p com.example.notes -c android.intent.category.LAUNCHER 1";

// One thing the user sees after the success message, and what the user does with it.
struct step {
    enum kind { box, chooser, cancel_progress } what;
    std::string part;  // box: a part of its text; chooser: its lines joined with "|"
    int answer;        // box: the button; chooser: the line chosen
    std::string shot;  // the screenshot's name ("" for none)
};

struct phone_case {
    const char* name;
    std::string knobs;
    bool without_adb;
    std::vector<step> steps;
    std::vector<std::string> commands;  // adb's log; "APK" stands for the APK's path
};

std::string user_file(const char* extension) {
    return per_user_file(platform::user_data_folder(), "Vexlo.exe", extension);
}

struct window_search {
    DWORD pid;
    int id;
    HWND found;
};

// A procedure of its own: a lambda cannot become a stdcall callback on 32-bit Windows.
BOOL CALLBACK look_at(HWND w, LPARAM parameter) {
    auto& s = *reinterpret_cast<window_search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner != s.pid || !IsWindowVisible(w) || !GetDlgItem(w, s.id) ||
        gui::window_text(w) != kProgramCaption)
        return TRUE;
    s.found = w;
    return FALSE;
}

// A top-level window of the process with the program's caption and this control.
HWND window_with(DWORD pid, int id) {
    window_search s{pid, id, nullptr};
    EnumWindows(look_at, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND wait_window_with(DWORD pid, int id) {
    HWND found = nullptr;
    gui::wait_until([&] { return (found = window_with(pid, id)) != nullptr; }, 30000);
    return found;
}

std::vector<std::string> list_lines(HWND dialog) {
    std::vector<std::string> lines;
    HWND list = GetDlgItem(dialog, kChooserList);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring line(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
        lines.push_back(platform::narrow(line));
    }
    return lines;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += (out.empty() ? "" : "|") + l;
    return out;
}

std::vector<std::string> log_lines(const std::string& file) {
    std::string text;
    std::vector<std::string> lines;
    if (!platform::read_file(file, text)) return lines;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

// Puts the stand-in adb out of the way for as long as it lives.
class adb_removed {
public:
    adb_removed()
        : adb_(compile_support::toolchain() + "sdk\\platform-tools\\adb.exe"),
          moved_(platform::move_file(adb_, adb_ + ".away")) {}
    ~adb_removed() {
        if (moved_) platform::move_file(adb_ + ".away", adb_);
    }
    bool done() const { return moved_; }

private:
    std::string adb_;
    bool moved_;
};

class Phone : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(compile_support::toolchain().empty());
        ASSERT_TRUE(compile_support::write_config(compile_support::toolchain_config()));
        platform::remove_file(user_file(".pos"));
    }
    void TearDown() override {
        program_.reset();
        SetEnvironmentVariableW(L"FAKE_ADB_FOLDER", nullptr);
        platform::remove_file(user_file(".recent.projects"));
    }
    // Compiles a copy of the sample with the knobs (which the stand-in adb reads from the
    // project, however its run folder lies) and answers the success message; the main window.
    HWND compile(const std::string& folder) {
        platform::make_directories(platform::user_data_folder());
        platform::write_file(user_file(".recent.projects"),
                             testing_support::without_trailing(folder) + "\r\n");
        SetEnvironmentVariableW(L"FAKE_ADB_FOLDER", platform::widen(folder).c_str());
        program_ = std::make_unique<gui::running_program>(gui::bin_folder() + "Vexlo.exe");
        HWND w = gui::wait_window(program_->pid(), kWindowCaption);
        if (!w) return nullptr;
        gui::combo_choose(w, id_recent, 1);
        gui::settle(w);
        gui::click(w, id_compile);
        HWND question = gui::wait_message_box(program_->pid(), 30000);
        if (!question) return nullptr;
        gui::answer(question, IDYES);  // the configured keystore
        HWND done = gui::wait_message_box(program_->pid(), 60000);
        if (!done) return nullptr;
        EXPECT_EQ(gui::message_text(done).rfind("Project has been successfully built", 0), 0u);
        gui::answer(done, IDOK);
        return w;
    }
    void run_step(const phone_case& c, const step& s, const std::string& folder) {
        const DWORD pid = program_->pid();
        switch (s.what) {
            case step::box: {
                HWND b = gui::wait_message_box(pid, 30000);
                ASSERT_NE(b, nullptr) << c.name << ": " << s.part;
                const std::string text = gui::message_text(b);
                EXPECT_NE(text.find(s.part), std::string::npos) << c.name << ": " << text;
                if (!s.shot.empty()) gui::screenshot(b, s.shot);
                gui::answer(b, s.answer);
                break;
            }
            case step::chooser: {
                HWND d = wait_window_with(pid, kChooserList);
                ASSERT_NE(d, nullptr) << c.name;
                EXPECT_EQ(joined(list_lines(d)), s.part) << c.name;
                if (!s.shot.empty()) gui::screenshot(d, s.shot);
                SendMessageW(GetDlgItem(d, kChooserList), LB_SETCURSEL, s.answer, 0);
                gui::click(d, IDOK);
                gui::wait_until([&] { return !IsWindow(d); });
                break;
            }
            case step::cancel_progress: {
                HWND p = wait_window_with(pid, kProgressCancel);
                ASSERT_NE(p, nullptr) << c.name;
                EXPECT_EQ(gui::item_text(p, kProgressTitle), s.part) << c.name;
                // adb is at work on the phone when Cancel comes (its log names the install).
                EXPECT_TRUE(gui::wait_until([&] {
                    const std::vector<std::string> lines = log_lines(folder + "adb-log.txt");
                    return !lines.empty() && lines.back().find(" install -r ") != std::string::npos;
                })) << c.name;
                if (!s.shot.empty()) gui::screenshot(p, s.shot);
                gui::click(p, kProgressCancel);
                EXPECT_TRUE(gui::wait_until([&] { return !IsWindow(p); }, 2000)) << c.name;
                EXPECT_TRUE(gui::wait_until(
                    [] { return compile_support::processes_named("adb.exe") == 0; }, 5000))
                    << c.name;
                break;
            }
        }
    }

    std::unique_ptr<gui::running_program> program_;
};

}  // namespace

TEST_F(Phone, EachOutcomeThroughTheRealWindows) {
    const std::string incompatible =
        "INSTALL_FAILED_UPDATE_INCOMPATIBLE: Package com.example.notes signatures do not match "
        "previously installed version; ignoring!";
    const std::string abis =
        "INSTALL_FAILED_NO_MATCHING_ABIS: Failed to extract native libraries, res=-113";
    const std::string ask =
        "A phone is connected: Pixel 7 (serial PX7).\r\rInstall Caf\xC3\xA9 Notes on it now ?";
    const std::vector<phone_case> cases = {
        {"no adb: nothing asked", "adb_devices=PX7 device Pixel_7\r\n", true, {}, {}},
        {"no phone: nothing asked", "", false, {}, {"devices -l"}},
        {"a daemon that hangs: given up, nothing asked",
         "adb_devices=PX7 device Pixel_7\r\nadb_devices_delay=120000\r\n",
         false,
         {},
         {"devices -l"}},
        {"one phone: install, then start",
         "adb_devices=PX7 device Pixel_7\r\n",
         false,
         {{step::box, ask, IDYES, "phone-install-question"},
          {step::box, "Caf\xC3\xA9 Notes is installed on Pixel 7 (serial PX7).\r\rStart it now ?",
           IDYES, "phone-start-question"}},
         {"devices -l", "-s PX7 install -r APK", "-s PX7" + kStart}},
        {"several phones: the chosen one",
         "adb_devices=PX7 device Pixel_7,emulator-5554 offline,TB1 device Tab_S9\r\n",
         false,
         {{step::chooser, "Pixel 7 (serial PX7)|Tab S9 (serial TB1)", 1, "phone-chooser"},
          {step::box, "is installed on Tab S9 (serial TB1)", IDNO, ""}},
         {"devices -l", "-s TB1 install -r APK"}},
        {"unauthorized: told what to do on the phone",
         "adb_devices=1A2B3C unauthorized\r\n",
         false,
         {{step::box, "accept the prompt \"Allow USB debugging?\"", IDOK, "phone-unauthorized"}},
         {"devices -l"}},
        {"signed with another key: uninstalled, then installed",
         "adb_devices=PX7 device Pixel_7\r\nadb_install=" + incompatible + "\r\n",
         false,
         {{step::box, ask, IDYES, ""},
          {step::box, "already holds com.example.notes signed with another key", IDYES,
           "phone-uninstall-question"},
          {step::box, "is installed on Pixel 7", IDNO, ""}},
         {"devices -l", "-s PX7 install -r APK", "-s PX7 uninstall com.example.notes",
          "-s PX7 install -r APK"}},
        {"signed with another key, kept: nothing more",
         "adb_devices=PX7 device Pixel_7\r\nadb_install=" + incompatible + "\r\n",
         false,
         {{step::box, ask, IDYES, ""}, {step::box, "is lost", IDNO, ""}},
         {"devices -l", "-s PX7 install -r APK"}},
        {"an unknown failure as it stands",
         "adb_devices=PX7 device Pixel_7\r\nadb_install=" + abis + "\r\n",
         false,
         {{step::box, ask, IDYES, ""},
          {step::box,
           "The APK could not be installed on Pixel 7 (serial PX7).\r\rThe phone refused it:\r"
           "Failure [" +
               abis + "]",
           IDOK, "phone-unknown-failure"}},
         {"devices -l", "-s PX7 install -r APK"}},
        {"target SDK too low",
         "adb_devices=PX7 device Pixel_7\r\nadb_install=INSTALL_FAILED_DEPRECATED_SDK_VERSION: "
         "App package must target at least SDK version 24, but found 23\r\n",
         false,
         {{step::box, ask, IDYES, ""}, {step::box, "Its target SDK (23) is too low", IDOK, ""}},
         {"devices -l", "-s PX7 install -r APK"}},
        {"Cancel during the install",
         "adb_devices=PX7 device Pixel_7\r\nadb_install_delay=60000\r\n",
         false,
         {{step::box, ask, IDYES, ""},
          {step::cancel_progress, "Installing Caf\xC3\xA9 Notes on Pixel 7", 0, "phone-progress"}},
         {"devices -l", "-s PX7 install -r APK"}},
    };
    for (const phone_case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<adb_removed> away;
        if (c.without_adb) {
            away = std::make_unique<adb_removed>();
            ASSERT_TRUE(away->done());
        }
        const testing_support::scratch_folder scratch;  // a project of its own for each case
        const std::string folder = testing_support::copy_fixture("android-project", scratch);
        ASSERT_TRUE(platform::write_file(folder + "fake-tools.txt", c.knobs));
        HWND w = compile(folder);
        ASSERT_NE(w, nullptr);
        for (const step& s : c.steps) run_step(c, s, folder);
        // Nothing more is asked, and the main window is back.
        EXPECT_TRUE(gui::no_message_box(program_->pid(), 1500));
        EXPECT_TRUE(gui::wait_until([&] { return IsWindowEnabled(w) != FALSE; }));
        EXPECT_EQ(compile_support::processes_named("adb.exe"), 0);
        std::vector<std::string> expected;
        for (std::string command : c.commands) {
            const std::size_t at = command.find("APK");
            if (at != std::string::npos) command.replace(at, 3, folder + kApk);
            expected.push_back(command);
        }
        EXPECT_EQ(log_lines(folder + "adb-log.txt"), expected);
        program_.reset();
    }
}
