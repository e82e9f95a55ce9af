#include <gtest/gtest.h>

#include "core/configurator/api_chooser.h"
#include "core/configurator/configurator_texts.h"

using namespace configurator;

namespace {
const std::vector<api_target> k16And19 = {{1, "Android 4.1.2 (API  16)"},
                                          {2, "Android 4.4.2 (API  19)"}};
}

TEST(ConfiguratorChooser, ModeFollowsTargetsAndChoice) {
    EXPECT_EQ(chooser_mode_for({}, 0), chooser_mode::not_configured);
    EXPECT_EQ(chooser_mode_for({}, 3), chooser_mode::not_configured);
    EXPECT_EQ(chooser_mode_for(k16And19, 0), chooser_mode::choose);
    EXPECT_EQ(chooser_mode_for(k16And19, 2), chooser_mode::chosen);
}

TEST(ConfiguratorChooser, HeadlinesAndTheAdministratorHint) {
    EXPECT_EQ(chooser_headline(chooser_mode::not_configured, true),
              "Android SDK Manager has been correctly installed on your system but is not "
              "configured yet:\rPlease click on the button below in order to launch the SDK "
              "manager, and download a target package (e.g. Android 4.1, API 16)");
    EXPECT_NE(chooser_headline(chooser_mode::not_configured, false)
                  .find("Please click the button below then in the opened folder do a "
                        "right-click on \"android.bat\" > Run As Admin in order"),
              std::string::npos);
    EXPECT_EQ(chooser_headline(chooser_mode::chosen, true),
              "Android API chosen for compilation is:");
    EXPECT_EQ(chooser_second_text(true),
              "If you want to open the SDK manager, you can click on the button below");
}

TEST(ConfiguratorChooser, OkTakesTheSelectedIdAndNothingSelectedChangesNothing) {
    EXPECT_EQ(id_after_ok(k16And19, 1, 0), 2);
    EXPECT_EQ(id_after_ok(k16And19, 0, 0), 1);  // no acceptability test here
    EXPECT_EQ(id_after_ok(k16And19, -1, 0), 0);
    EXPECT_EQ(id_after_ok(k16And19, 5, 0), 0);
}

TEST(ConfiguratorChooser, ChangeApiRefusesALowTarget) {
    EXPECT_FALSE(selection_differs(k16And19, 1, 2));
    EXPECT_TRUE(selection_differs(k16And19, 0, 2));
    EXPECT_FALSE(selection_differs(k16And19, -1, 2));

    const change_decision low = change_api(k16And19, 0, 2);
    EXPECT_FALSE(low.accepted);
    EXPECT_EQ(low.api_target_id, 2);
    EXPECT_EQ(low.warning.substr(0, 34), "You chose Android 4.1.2 (API  16) ");
    EXPECT_NE(low.warning.find("Please choose a higher Android API."), std::string::npos);

    const change_decision good = change_api(k16And19, 1, 1);
    EXPECT_TRUE(good.accepted);
    EXPECT_EQ(good.api_target_id, 2);
    EXPECT_TRUE(good.warning.empty());
}

TEST(ConfiguratorTexts, DetectionMessages) {
    EXPECT_EQ(not_found_text(tool_section::jdk),
              "Java SE Dev. Kit was not found on your computer\r\rPlease use the Browse button to "
              "select manually");
    EXPECT_EQ(found_text(tool_section::sdk, "C:\\sdk"), "Android SDK found in:\rC:\\sdk");
    EXPECT_EQ(found_text(tool_section::ant, "apache-ant"), "Apache Ant found in:\rapache-ant");
    EXPECT_EQ(browse_title(tool_section::ant), "Select path to Ant root-directory");
    EXPECT_EQ(invalid_folder_text(tool_section::jdk),
              "This is not a valid Java SE Dev. Kit directory");
}

TEST(ConfiguratorTexts, WelcomeTextAndDownloadLinksLeadToWhatWorks) {
    EXPECT_EQ(welcome_text(),
              "Welcome to Android Vexlo Configurator. In order to compile your Android apps with "
              "Vexlo,the following components need to be installed:     ");
    EXPECT_NE(std::string(kSdkDownload).find("tools_r25.2.5-windows.zip"), std::string::npos);
    EXPECT_NE(std::string(kJdkDownload).find("version=8"), std::string::npos);
    EXPECT_EQ(std::string(kAntDownload).substr(0, 8), "https://");
}
