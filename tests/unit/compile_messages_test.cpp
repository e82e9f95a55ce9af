// The outcome messages of a build and the progress dialog's texts.
#include <gtest/gtest.h>

#include <set>

#include "core/build/compile_messages.h"
#include "core/text/text_helpers.h"

using namespace build;

TEST(CompileMessages, SuccessNamesTheCompileTime) {
    const std::string m = compile_success_message(75.0);
    EXPECT_EQ(m.rfind("Project has been successfully built into an APK that\rcan be installed", 0),
              0u);
    EXPECT_NE(m.find("Compilation time : " + text::elapsed_text(75.0) + ".\r\r"),
              std::string::npos);
    EXPECT_EQ(m.substr(m.size() - 50), "\r\rClick OK to open the folder containing the APK.\r");
    EXPECT_EQ(clean_success_message(3.0),
              "Project successfully cleaned in " + text::elapsed_text(3.0) + ".");
}

TEST(CompileMessages, FailureMessagesPointAtTheProjectsLog) {
    const std::string unsigned_text = unsigned_apk_message("C:\\p\\");
    EXPECT_EQ(unsigned_text.rfind("We could make an unsigned APK of the project\r", 0), 0u);
    const std::string tail = "(you can always find them later in\rC:\\p\\ant_log.txt)";
    EXPECT_EQ(unsigned_text.substr(unsigned_text.size() - tail.size()), tail);
    EXPECT_EQ(compile_failed_message("C:\\p\\"),
              "Sorry, compiling has failed.\r\rDo you want to read in detail the reasons why ?"
              "\r\r(you can always find them later in\rC:\\p\\ant_log.txt)");
    EXPECT_NE(cannot_write_message("C:\\p\\").find("C:\\p\\"), std::string::npos);
    EXPECT_NE(cannot_start_message().find("cmd.exe"), std::string::npos);
}

TEST(CompileMessages, ExplorerSelectsTheQuotedFile) {
    EXPECT_EQ(explorer_select_parameters("C:\\my p\\A1.apk"), "/select,\"C:\\my p\\A1.apk\"");
}

TEST(CompileMessages, BatchQuestionsAskOneThingEachInMessageBoxLines) {
    const std::string questions[] = {batch_exists_question(), batch_launch_question(),
                                     batch_created_question()};
    for (const std::string& q : questions) {
        ASSERT_FALSE(q.empty());
        EXPECT_EQ(q.back(), '?') << q;                    // answered with Yes or No
        EXPECT_EQ(q.find('\n'), std::string::npos) << q;  // message boxes break at CR
    }
    EXPECT_EQ(std::set<std::string>(std::begin(questions), std::end(questions)).size(), 3u);
    // Only the question about an existing batch may lead to replacing it.
    EXPECT_NE(batch_exists_question().find("Overwrite"), std::string::npos);
    EXPECT_EQ(batch_created_question().find("Overwrite"), std::string::npos);
}

TEST(CompileMessages, KeystoreInsideTheProjectFolderIsRecognised) {
    EXPECT_TRUE(keystore_in_folder("C:\\P\\Release.jks", "c:\\p\\"));
    EXPECT_TRUE(keystore_in_folder("C:\\P\\Release.jks", "c:\\p\\\\"));
    EXPECT_FALSE(keystore_in_folder("C:\\P\\keys\\Release.jks", "C:\\P\\"));
    EXPECT_FALSE(keystore_in_folder("C:\\Other\\Release.jks", "C:\\P\\"));
    EXPECT_NE(keystore_in_project_message("C:\\P\\r.jks").find("C:\\P\\r.jks"), std::string::npos);
}

TEST(ProgressTexts, TitlesAndStepLines) {
    EXPECT_EQ(progress_title(build_step::compile_started, " My App ", " 7 "), "Building My App 7");
    EXPECT_EQ(progress_title(build_step::clean_started, "My App", "7"), "Cleaning My App 7");
    EXPECT_EQ(progress_step_text(build_step::updating), "Updating Android project");
    EXPECT_EQ(progress_step_text(build_step::cleaning), "Cleaning...");
    EXPECT_EQ(progress_step_text(build_step::clean_started), "Cleaning...");
    EXPECT_EQ(progress_step_text(build_step::compiling), "Compiling...");
    EXPECT_EQ(progress_step_text(build_step::signing), "Signing apk...");
}
