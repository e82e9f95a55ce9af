#include "core/build/runner_session_text.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/platform.h"

using namespace build;

TEST(BuildRunnerSession, HostRunsEachRequestInItsOwnEnvironmentAndSaysWhenDone) {
    EXPECT_EQ(session_host_text("request.bat", "done-0123"),
              "@echo off\r\n"
              ":vexlo_next\r\n"
              "set \"vexlo_request=\"\r\n"
              "set /p vexlo_request=\r\n"
              "if not defined vexlo_request exit /b 0\r\n"
              "set \"vexlo_request=\"\r\n"
              "setlocal\r\n"
              "<nul call request.bat\r\n"
              "endlocal\r\n"
              "echo done-0123\r\n"
              "goto vexlo_next\r\n");
}

TEST(BuildRunnerSession, RequestGoesToTheFolderLikeTempBat) {
    EXPECT_EQ(session_request_text("D:\\Projects\\My App\\"),
              "D:\r\ncd D:\\Projects\\My App\\\r\nif exist temp.bat call temp.bat\r\n");
    // Command characters are quoted, and "%" doubled, as in temp.bat's own line.
    EXPECT_EQ(session_request_text("C:\\R&D 100%\\"),
              "C:\r\ncd \"C:\\R&D 100%%\\\"\r\nif exist temp.bat call temp.bat\r\n");
}

TEST(BuildRunnerSession, MarkerIsFoundAcrossPiecesAndConsumed) {
    const std::string marker = "vexlo-runner-done-00ff";
    std::string printed = "File not found.\r\nvexlo-run";
    EXPECT_FALSE(take_session_marker(printed, marker));
    EXPECT_LE(printed.size(), marker.size());  // the noise before it is not kept
    printed += "ner-done-00ff\r\n";
    EXPECT_TRUE(take_session_marker(printed, marker));
    EXPECT_EQ(printed, "\r\n");
    // Only the marker ends a run: a look-alike does not.
    printed = "vexlo-runner-done-00fe\r\n";
    EXPECT_FALSE(take_session_marker(printed, marker));
}

TEST(BuildRunnerSession, BatchTextInTheConsoleCodePage) {
    std::string bytes;
    ASSERT_TRUE(platform::batch_encoding("cd C:\\plain\\", bytes));
    EXPECT_EQ(bytes, "cd C:\\plain\\");
#ifdef _WIN32
    // Under the OEM code pages of Western systems (437, 850) "é" is one byte; a character
    // the code page lacks is refused rather than replaced by a look-alike.
    const unsigned oem = GetOEMCP();
    if (oem == 437 || oem == 850) {
        ASSERT_TRUE(platform::batch_encoding("cd C:\\Caf\xC3\xA9\\", bytes));
        EXPECT_EQ(bytes, "cd C:\\Caf\x82\\");
        EXPECT_EQ(platform::batch_decoding(bytes), "cd C:\\Caf\xC3\xA9\\");
        EXPECT_FALSE(platform::batch_encoding("cd C:\\\xE6\xB8\xB8\xE6\x88\x8F\\", bytes));
        EXPECT_FALSE(platform::batch_encoding("cd C:\\\xC5\x9D\\", bytes));  // no "s" for it
    }
#endif
    // A batch file written as UTF-8 before is read back as it was.
    EXPECT_EQ(platform::batch_decoding("cd C:\\Caf\xC3\xA9\\"), "cd C:\\Caf\xC3\xA9\\");
}
