// The command runner under Wine: temp.bat in the working folder, captured output, status words,
// the message-aware wait and Cancel through the job object.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "winui/command_runner.h"
#include "gui/compile_support.h"
#include "gui/gui_driver.h"
#include "core/text/text_helpers.h"
#include "unit/test_support.h"

namespace {

class CommandRunner : public testing::Test {
protected:
    void SetUp() override {
        tools_ = compile_support::toolchain_config();
        ASSERT_FALSE(compile_support::toolchain().empty());
    }
    std::string run(const std::string& command, const std::string& folder, int show = 0) {
        return winui::run_command(tools_, command, folder, show);
    }
    std::string folder_without_backslash() const {
        return testing_support::without_trailing(scratch_.path());
    }

    build::tool_config tools_;
    testing_support::scratch_folder scratch_;
};

}  // namespace

TEST_F(CommandRunner, EmptyFolderRunsInTheProgramFolder) {
    const std::string out = run("cd", "");
    EXPECT_TRUE(
        text::iequals_ascii(out, testing_support::without_trailing(platform::program_folder())))
        << out;
    EXPECT_FALSE(platform::file_exists(platform::program_folder() + "temp.bat"));
    EXPECT_FALSE(platform::file_exists(platform::program_folder() + "temp.txt"));
}

TEST_F(CommandRunner, SeveralTrailingBackslashesAndAnotherDriveReachTheFolder) {
    // The scratch folder lies below TEMP (drive C:), the programs on another drive.
    const std::string out = run("cd", scratch_.path() + "\\\\\\");
    EXPECT_TRUE(text::iequals_ascii(out, folder_without_backslash())) << out;
    EXPECT_FALSE(platform::file_exists(scratch_.path() + "temp.bat"));
    EXPECT_FALSE(platform::file_exists(scratch_.path() + "temp.txt"));
}

TEST_F(CommandRunner, ToolFoldersAreOnThePath) {
    const std::string out =
        run("keytool -changealias -keystore nothing.jks -alias a -destalias b "
            "-storepass x -keypass x",
            scratch_.path());
    EXPECT_NE(out.find("Keystore file does not exist"), std::string::npos) << out;
    // echo keeps the space before the runner's redirection.
    EXPECT_EQ(text::trim_whitespace(run("echo %JAVA_HOME%", scratch_.path())), tools_.jdk_path);
}

TEST_F(CommandRunner, TrailingBlankLinesAreDroppedAndEmptyOutputStaysEmpty) {
    scratch_.write("lines.bat", "@echo hello\r\n@echo.\r\n@echo.\r\n");
    EXPECT_EQ(run("call lines.bat", scratch_.path()), "hello");
    EXPECT_EQ(run("type nul", scratch_.path()), "");
}

TEST_F(CommandRunner, VisibleModeCapturesNothingAndSaysOk) {
    EXPECT_EQ(run("echo shown", scratch_.path(), -1), "**OK**");
    EXPECT_FALSE(platform::file_exists(scratch_.path() + "temp.txt"));
    EXPECT_FALSE(platform::file_exists(scratch_.path() + "temp.bat"));
}

TEST_F(CommandRunner, StaleOutputOfAnEarlierRunIsNeverReturned) {
    scratch_.write("temp.txt", "old output");
    EXPECT_EQ(run("type nul", scratch_.path()), "");
}

TEST_F(CommandRunner, UnwritableFolderAndUnstartableInterpreterEndInStatusWords) {
    EXPECT_EQ(run("echo x", scratch_.path() + "missing\\folder"), "**ERROR WRITING**");

    wchar_t saved[MAX_PATH] = {};
    GetEnvironmentVariableW(L"ComSpec", saved, MAX_PATH);
    SetEnvironmentVariableW(L"ComSpec", L"C:\\nowhere\\cmd.exe");
    const build::run_outcome outcome =
        winui::run_tool(tools_, {"echo x", scratch_.path(), 0, {}, {}});
    SetEnvironmentVariableW(L"ComSpec", saved);
    EXPECT_EQ(outcome.status, build::run_status::cannot_start);
    EXPECT_EQ(outcome.text, "**ERROR STARTING**");
    EXPECT_FALSE(platform::file_exists(scratch_.path() + "temp.bat"));
}

TEST_F(CommandRunner, VariablesReachTheCommandIntact) {
    scratch_.write("show.bat", "@set VX_VALUE\r\n");
    winui::run_request request{
        "call show.bat", scratch_.path(), 0, {}, {{"VX_VALUE", "50% off & on"}}};
    EXPECT_EQ(text::trim_whitespace(winui::run_tool(tools_, request).text),
              "VX_VALUE=50% off & on");
}

namespace {
int g_ticks = 0;
void CALLBACK count_tick(HWND, UINT, UINT_PTR, DWORD) {
    ++g_ticks;
}
}  // namespace

TEST_F(CommandRunner, CallingThreadKeepsServingItsMessagesWhileAToolRuns) {
    scratch_.write("fake-tools.txt", "keytool_delay_ms=1500\r\n");
    g_ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, count_tick);
    const auto start = std::chrono::steady_clock::now();
    run("keytool -list", scratch_.path());
    const auto took = std::chrono::steady_clock::now() - start;
    KillTimer(nullptr, timer);
    EXPECT_GE(took, std::chrono::milliseconds(1400));
    EXPECT_GE(g_ticks, 10);  // about 30 at 50 ms; a blocked thread would see none
}

TEST_F(CommandRunner, CancelEndsTheWholeToolTreeAtOnce) {
    scratch_.write("fake-tools.txt", "keytool_delay_ms=60000\r\n");
    winui::tool_job job;
    std::thread canceller([&job] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        job.cancel();
    });
    const auto start = std::chrono::steady_clock::now();
    const build::run_outcome outcome =
        winui::run_tool(tools_, {"call keytool -list", scratch_.path(), 0, {}, {}}, &job);
    const auto took = std::chrono::steady_clock::now() - start;
    canceller.join();
    EXPECT_EQ(outcome.status, build::run_status::cancelled);
    EXPECT_LT(took, std::chrono::seconds(10));
    EXPECT_EQ(compile_support::processes_named("keytool.exe"), 0);
    EXPECT_FALSE(platform::file_exists(scratch_.path() + "temp.bat"));
    // Every later run of the cancelled job returns at once, unstarted.
    EXPECT_EQ(winui::run_tool(tools_, {"echo x", scratch_.path(), 0, {}, {}}, &job).status,
              build::run_status::cancelled);
}

TEST_F(CommandRunner, RunsOfOneJobShareOneInterpreterWithoutSharingTheirSettings) {
    winui::tool_job job;
    auto run_in_job = [&](const std::string& command, const std::string& folder) {
        return winui::run_tool(tools_, {command, folder, 0, {}, {}}, &job).text;
    };
    // Both runs go to the same interpreter.
    run_in_job("echo one", scratch_.path());
    ASSERT_TRUE(job.session().running());
    const DWORD interpreter = GetProcessId(job.session().process());
    run_in_job("echo two", scratch_.path());
    EXPECT_EQ(GetProcessId(job.session().process()), interpreter);
    EXPECT_EQ(WaitForSingleObject(job.session().process(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    // What one temp.bat sets, the next one does not see, and the tool folders are on the PATH
    // once, however many runs came before.
    run_in_job("set VX_LEFT_OVER=1", scratch_.path());
    EXPECT_NE(run_in_job("set VX_LEFT_OVER", scratch_.path()).find("not defined"),
              std::string::npos);
    const std::string path = run_in_job("echo %PATH%", scratch_.path());
    EXPECT_EQ(run_in_job("echo %PATH%", scratch_.path()), path);
    // No run leaves the interpreter in its working folder: the folder can go at once.
    const std::string folder = scratch_.path() + "gone\\";
    platform::make_directories(folder);
    EXPECT_EQ(run_in_job("cd", folder), testing_support::without_trailing(folder));
    EXPECT_TRUE(platform::remove_directory(folder));
}

TEST_F(CommandRunner, AToolThatEndsTheInterpreterEndsOnlyItsOwnRun) {
    winui::tool_job job;
    scratch_.write("quit.bat", "@echo leaving\r\n@exit 3\r\n");
    EXPECT_EQ(winui::run_tool(tools_, {"call quit.bat", scratch_.path(), 0, {}, {}}, &job).text,
              "leaving");
    // The next run of the job gets a new interpreter.
    const build::run_outcome next =
        winui::run_tool(tools_, {"echo next", scratch_.path(), 0, {}, {}}, &job);
    EXPECT_EQ(next.status, build::run_status::finished);
    EXPECT_EQ(text::trim_whitespace(next.text), "next");
}

TEST_F(CommandRunner, AToolWaitingForInputGetsNone) {
    // A hidden console has nobody to answer: the tool reads the end of its input at once.
    const build::run_outcome outcome =
        winui::run_tool(tools_, {"pause", scratch_.path(), 0, {}, {}});
    EXPECT_EQ(outcome.status, build::run_status::finished);
}

TEST_F(CommandRunner, FoldersAreWrittenInTheConsoleCodePageByShortNameOrRefused) {
    // This system's OEM code page (437 under Wine here) has "é" but no Chinese characters.
    const std::string cafe = scratch_.path() + "Caf\xC3\xA9\\";
    platform::make_directories(cafe);
    // cmd.exe prints the folder in that code page too.
    const std::string out = platform::batch_decoding(run("cd", cafe));
    EXPECT_TRUE(text::iequals_ascii(out, testing_support::without_trailing(cafe))) << out;
    // A folder whose name it lacks is named by its short form.
    const std::string both = scratch_.path() + "Caf\xC3\xA9 \xE6\xB8\xB8\xE6\x88\x8F\\";
    scratch_.write("Caf\xC3\xA9 \xE6\xB8\xB8\xE6\x88\x8F\\here.txt", "right folder");
    EXPECT_EQ(run("type here.txt", both), "right folder");
    EXPECT_FALSE(platform::file_exists(both + "temp.bat"));
    // A path that has no short form either (it does not exist) cannot be named: refused.
    build::tool_config missing = tools_;
    missing.jdk_path = scratch_.path() + "JDK \xE2\x98\x95";
    const build::run_outcome outcome = winui::run_tool(missing, {"cd", scratch_.path(), 0, {}, {}});
    EXPECT_EQ(outcome.status, build::run_status::cannot_encode);
    EXPECT_EQ(outcome.text, "**ERROR WRITING**");
    EXPECT_FALSE(platform::file_exists(scratch_.path() + "temp.bat"));
}

TEST_F(CommandRunner, TheInterpreterLeavesNoFolderBehind) {
    // Each interpreter works in a folder "vexlo-runner-<process id>-<n>" of TEMP, removed by the
    // thread pool once it has gone; one that a program leaves as it ends is removed by the next.
    const auto runner_folders = [] {
        std::vector<platform::dir_entry> entries;
        platform::list_directory(platform::temp_folder(), entries);
        std::vector<std::string> names;
        for (const auto& e : entries)
            if (e.name.rfind("vexlo-runner-", 0) == 0) names.push_back(e.name);
        return names;
    };
    const std::string stale = platform::temp_folder() + "\\vexlo-runner-999999-1\\";
    platform::make_directories(stale);
    {
        winui::tool_job job;
        EXPECT_EQ(winui::run_tool(tools_, {"echo x", scratch_.path(), 0, {}, {}}, &job).status,
                  build::run_status::finished);
        EXPECT_FALSE(platform::file_exists(stale));
        EXPECT_EQ(runner_folders().size(), 1u);
        job.end_session();
    }
    EXPECT_TRUE(gui::wait_until([&] { return runner_folders().empty(); }, 5000));
}
