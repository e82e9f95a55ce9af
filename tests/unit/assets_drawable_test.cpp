// The rules of the drawable dialog and the icon plan.
#include <gtest/gtest.h>

#include "core/assets/drawable_rules.h"
#include "core/assets/icon_plan.h"
#include "platform/platform.h"
#include "unit/test_support.h"

using namespace assets;

TEST(AssetsDrawable, DefaultNameFoldsAccentsAndDropsSpacesAndExtension) {
    EXPECT_EQ(default_drawable_name("C:\\pics\\Caf\xC3\xA9 Logo.PNG"), "CafeLogo");
    EXPECT_EQ(default_drawable_name("C:\\a.b\\my-icon (2).v1.png"), "myicon2v1");
    EXPECT_EQ(default_drawable_name("C:\\pics\\\xC3\xB1"
                                    "and\xC3\xBA.jpg"),
              "nand\xC3\xBA");
}

TEST(AssetsDrawable, DefaultNameDropsEveryForbiddenCharacter) {
    EXPECT_EQ(default_drawable_name("D:\\x\\a:b!c?d'e&f~g\"h#i{j(k[l|m`n^o@p)q]r=s+t}u$v%w*x.png"),
              "abcdefghijklmnopqrstuvwx");
    EXPECT_EQ(default_drawable_name("D:\\x\\20\xC2\xB0"
                                    "C \xC2\xA3"
                                    "5\xC2\xA4\xC2\xB5.gif"),
              "20C5");
}

TEST(AssetsDrawable, DefaultNameWithoutFolderOrDot) {
    EXPECT_EQ(default_drawable_name("picture"), "picture");
    EXPECT_EQ(default_drawable_name("C:\\pics\\.hidden"), "");
}

TEST(AssetsDrawable, NameChecks) {
    EXPECT_EQ(check_drawable_name(""), name_problem::empty);
    EXPECT_EQ(check_drawable_name("   "), name_problem::empty);
    EXPECT_EQ(check_drawable_name("my-icon"), name_problem::forbidden);
    EXPECT_EQ(check_drawable_name("my icon"), name_problem::forbidden);
    EXPECT_EQ(check_drawable_name("icon\xC2\xB5"), name_problem::forbidden);
    EXPECT_EQ(check_drawable_name("a<b"), name_problem::forbidden);
    EXPECT_EQ(check_drawable_name("a\tb"), name_problem::forbidden);
    EXPECT_EQ(check_drawable_name("my_icon"), name_problem::none);
    EXPECT_EQ(check_drawable_name("CafeLogo"), name_problem::none);
    EXPECT_EQ(check_drawable_name("a,b;c"), name_problem::none);
    EXPECT_EQ(check_drawable_name("\xC3\xA9t\xC3\xA9"), name_problem::none);
}

TEST(AssetsDrawable, Messages) {
    EXPECT_EQ(name_problem_message(name_problem::empty), "Please type a drawable name");
    EXPECT_EQ(name_problem_message(name_problem::forbidden),
              "The drawable name must only contain characters among [A-Z] [a-z] and/or [0-9]"
              "\r\rSpaces and other non-alphanumeric characters are not allowed");
    EXPECT_EQ(size_problem_message("drawable-mdpi"),
              "[drawable-mdpi]\r\rPlease type a value greater than zero, or uncheck the field");
    EXPECT_EQ(drawable_added_message(), "New drawable correctly added to the project");
}

TEST(AssetsDrawable, SizeBoxRules) {
    EXPECT_EQ(limited_size_text("123"), "12");
    EXPECT_EQ(limited_size_text("7"), "7");
    EXPECT_EQ(limited_size_text("\xC3\xA9\xC3\xA9\xC3\xA9"), "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(size_label("12"), "x 12 pixels");
    EXPECT_EQ(drawable_size(""), 0);
    EXPECT_EQ(drawable_size("0"), 0);
    EXPECT_EQ(drawable_size("00"), 0);
    EXPECT_EQ(drawable_size("07"), 7);
    EXPECT_EQ(drawable_size("99"), 99);
}

TEST(AssetsDrawable, DensityTable) {
    const auto& d = drawable_densities();
    EXPECT_STREQ(d[0].folder, "drawable-xhdpi");
    EXPECT_STREQ(d[1].default_size, "72");
    EXPECT_STREQ(d[2].tooltip, "Medium definition drawable");
    EXPECT_STREQ(d[3].folder, "drawable-ldpi");
    EXPECT_EQ(drawable_file("C:\\p\\", "drawable-hdpi", "logo"),
              "C:\\p\\res\\drawable-hdpi\\logo.png");
}

TEST(AssetsIconPlan, OnlyExistingDensityFoldersLargestFirst) {
    testing_support::scratch_folder s;
    platform::make_directories(s.path() + "res\\drawable-mdpi");
    platform::make_directories(s.path() + "res\\drawable-xxxhdpi");
    platform::make_directories(s.path() + "res\\drawable-hdpi");
    s.write("res\\drawable-ldpi", "a file, not a folder");
    const auto plan = plan_app_icons(s.path());
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(plan[0].path, s.path() + "res\\drawable-xxxhdpi\\icon.png");
    EXPECT_EQ(plan[0].size, 192);
    EXPECT_EQ(plan[1].size, 72);
    EXPECT_EQ(plan[2].path, s.path() + "res\\drawable-mdpi\\icon.png");
    EXPECT_EQ(plan[2].size, 48);
}

TEST(AssetsIconPlan, SizesAndMessages) {
    int sizes[6];
    for (int i = 0; i < 6; ++i) sizes[i] = app_icon_outputs()[i].size;
    EXPECT_EQ(std::vector<int>(sizes, sizes + 6), (std::vector<int>{192, 144, 96, 72, 48, 36}));
    EXPECT_TRUE(is_square_picture(40, 40));
    EXPECT_FALSE(is_square_picture(100, 99));
    EXPECT_FALSE(is_square_picture(0, 0));
    EXPECT_EQ(not_square_message(),
              "Not a square image\r\rPlease choose a square image of at least 72x72 pixels");
    EXPECT_EQ(icons_done_message(write_outcome{}), "Done !");
}
