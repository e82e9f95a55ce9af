// The asset commands of Vexlo.exe driven as a user would: the real file dialogs get a typed
// path, the message boxes are answered, and the files left in the project are checked.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/shell/main_window_model.h"
#include "core/shell/recent_projects.h"
#include "gui/gui_driver.h"
#include "gui/png_facts.h"
#include "gui/ready_config.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "unit/test_support.h"
#include "vexlo/drawable_ids.h"
#include "vexlo/duplicate_ids.h"

using namespace shell;

namespace {

namespace drawable = vexlo::drawable_ids;
// The drawable dialog's density rows, in their order.
constexpr int kXhdpi = 0, kHdpi = 1, kMdpi = 2, kLdpi = 3;

std::string user_file(const char* extension) {
    return per_user_file(platform::user_data_folder(), "Vexlo.exe", extension);
}

// A picture with fully transparent corners around an opaque red disc.
void write_disc_png(const std::string& path, int width, int height) {
    gui::start_gdiplus_once();
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics g(&bitmap);
        g.Clear(Gdiplus::Color(0, 0, 0, 0));
        Gdiplus::SolidBrush red(Gdiplus::Color(255, 220, 0, 0));
        g.FillEllipse(&red, width / 8, height / 8, width * 3 / 4, height * 3 / 4);
    }
    CLSID clsid;
    ASSERT_TRUE(gui::png_encoder(clsid));
    ASSERT_EQ(bitmap.Save(platform::widen(path).c_str(), &clsid, nullptr), Gdiplus::Ok);
}

using gui::png_facts;
using gui::read_png;

struct window_search {
    DWORD pid;
    HWND found = nullptr;
};

// The message box after the file dialog is gone (the two are never open together).
HWND wait_box_after(HWND file_dialog, DWORD pid) {
    gui::wait_until(
        [file_dialog] { return !IsWindow(file_dialog) || !IsWindowVisible(file_dialog); });
    return gui::wait_message_box(pid);
}

HWND focused_window(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

void tick(HWND dialog, int id, bool ticked) {
    if (gui::is_checked(dialog, id) == ticked) return;
    SendMessageTimeoutW(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    gui::settle(dialog);
}

class Assets : public testing::Test {
protected:
    void SetUp() override {
        platform::remove_file(user_file(".recent.projects"));
        platform::remove_file(user_file(".pos"));
        gui::write_ready_config(tools_.path());
    }
    void TearDown() override {
        program_.reset();
        platform::remove_file(user_file(".recent.projects"));
        platform::remove_file(user_file(".pos"));
        gui::remove_config();
    }
    // Starts Vexlo.exe with the folder as its only recent project and loads it.
    HWND start_with(const std::string& folder) {
        platform::make_directories(platform::user_data_folder());
        platform::write_file(user_file(".recent.projects"), folder + "\r\n");
        program_ = std::make_unique<gui::running_program>(gui::bin_folder() + "Vexlo.exe");
        HWND w = gui::wait_window(program_->pid(), kWindowCaption);
        if (!w) return nullptr;
        const auto items = gui::combo_items(w, id_recent);
        const std::string asking = gui::item_text(w, id_status);
        bool chosen = false;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i] == folder) {
                gui::combo_choose(w, id_recent, static_cast<int>(i));
                chosen = true;
            }
        EXPECT_TRUE(chosen) << "not in the recent list: " << folder;
        // Loaded once the status line names the project's kind instead of asking for one.
        EXPECT_TRUE(gui::wait_until([&] { return gui::item_text(w, id_status) != asking; }, 5000))
            << asking;
        gui::settle(w);
        return w;
    }
    std::string fixture_copy(const char* name) {
        return testing_support::copy_fixture(name, scratch_);
    }
    DWORD pid() const { return program_->pid(); }
    // Clicks a button of the main window and answers its file dialog with the path; gives the
    // message box that follows (null when none comes).
    HWND click_and_choose(HWND w, int button, const std::string& path) {
        gui::click(w, button);
        HWND dialog = gui::wait_file_dialog(pid());
        if (!dialog) {
            ADD_FAILURE() << "no file dialog after button " << button;
            return nullptr;
        }
        gui::type_into_file_dialog(dialog, path);
        return wait_box_after(dialog, pid());
    }

    testing_support::scratch_folder scratch_;
    testing_support::scratch_folder tools_;
    std::unique_ptr<gui::running_program> program_;
};

}  // namespace

TEST_F(Assets, AppIconIsWrittenIntoExistingDensityFoldersOnly) {
    const std::string project = fixture_copy("basic-project");
    const std::string picture = scratch_.path() + "icon source.png";
    write_disc_png(picture, 100, 100);
    HWND w = start_with(testing_support::without_trailing(project));
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(gui::item_text(w, id_picture), "Change BASIC! App icon");

    HWND box = click_and_choose(w, id_picture, picture);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::window_text(box), "Change App icon");
    EXPECT_EQ(gui::message_text(box), "Done !");
    gui::answer(box, IDOK);

    const struct {
        const char* folder;
        int size;
    } expected[] = {{"drawable-xhdpi", 96},
                    {"drawable-hdpi", 72},
                    {"drawable-mdpi", 48},
                    {"drawable-ldpi", 36}};
    for (const auto& e : expected) {
        const png_facts f = read_png(project + "res\\" + e.folder + "\\icon.png");
        ASSERT_TRUE(f.loaded) << e.folder;
        EXPECT_EQ(f.width, e.size) << e.folder;
        EXPECT_EQ(f.height, e.size) << e.folder;
        EXPECT_EQ(f.corner.GetA(), 0) << e.folder;  // transparency kept
        EXPECT_EQ(f.centre.GetA(), 255) << e.folder;
        EXPECT_EQ(f.centre.GetR(), 220) << e.folder;
        EXPECT_EQ(f.centre.GetG(), 0) << e.folder;
    }
    EXPECT_FALSE(platform::file_exists(project + "res\\drawable-xxhdpi"));
    EXPECT_FALSE(platform::file_exists(project + "res\\drawable-xxxhdpi"));
    gui::screenshot(w, "assets-icon-changed");
}

// The icon files under faults set up for real: the message names the file and the project
// keeps its icons, or every icon is written.
TEST_F(Assets, AppIconUnderFaultsNamesTheFileOrWritesEveryIcon) {
    enum fault { read_only, held_open, linked_folder, long_path };
    const struct {
        fault kind;
        const char* named;  // "" when every icon is written
        const char* why;
    } rows[] = {{read_only, "res\\drawable-mdpi\\icon.png", "read-only"},
                {held_open, "res\\drawable-mdpi\\icon.png", "in use"},
                {linked_folder, "res\\drawable-mdpi", "link"},
                {long_path, "", ""}};
    const std::string picture = scratch_.path() + "disc.png";
    write_disc_png(picture, 100, 100);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        testing_support::scratch_folder place, outside;
        std::string folder = place.path() + "p";
        if (row.kind == long_path)
            while (folder.size() <= 270) folder += "\\a-folder-name-of-forty-characters-long-x";
        testing_support::copy_tree(testing_support::fixture("basic-project"), folder);
        const std::string project = folder + "\\";
        const std::string mdpi = project + "res\\drawable-mdpi\\icon.png";
        const std::string xhdpi = project + "res\\drawable-xhdpi\\icon.png";
        std::string old_icon, old_xhdpi;
        platform::read_file(mdpi, old_icon);
        platform::read_file(xhdpi, old_xhdpi);
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (row.kind == read_only) testing_support::set_read_only(mdpi, true);
        if (row.kind == held_open)
            holder = CreateFileW(platform::widen(mdpi).c_str(), GENERIC_READ, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (row.kind == linked_folder) {
            testing_support::copy_tree(project + "res\\drawable-mdpi", outside.path() + "mdpi");
            testing_support::remove_tree(project + "res\\drawable-mdpi");
            ASSERT_TRUE(testing_support::make_link(outside.path() + "mdpi",
                                                   project + "res\\drawable-mdpi"));
        }

        HWND w = start_with(folder);
        ASSERT_NE(w, nullptr);
        HWND box = click_and_choose(w, id_picture, picture);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(gui::window_text(box), "Change App icon");
        const std::string message = gui::message_text(box);
        gui::answer(box, IDOK);
        program_.reset();
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
        if (row.kind == read_only) testing_support::set_read_only(mdpi, false);

        std::string mdpi_now, xhdpi_now;
        platform::read_file(row.kind == linked_folder ? outside.path() + "mdpi\\icon.png" : mdpi,
                            mdpi_now);
        platform::read_file(xhdpi, xhdpi_now);
        if (*row.named) {
            EXPECT_NE(message.find("\"" + project + row.named), std::string::npos) << message;
            EXPECT_NE(message.find(row.why), std::string::npos) << message;
            EXPECT_EQ(mdpi_now, old_icon);
            EXPECT_EQ(xhdpi_now, old_xhdpi);
        } else {
            EXPECT_EQ(message, "Done !");
            EXPECT_NE(xhdpi_now, old_xhdpi);
            EXPECT_EQ(read_png(mdpi).width, 48);
            EXPECT_EQ(read_png(xhdpi).centre.GetR(), 220);
        }
        if (row.kind == linked_folder) testing_support::remove_link(project + "res\\drawable-mdpi");
    }
}

TEST_F(Assets, AppIconGoesUpToEveryDensityFromASmallPicture) {
    const std::string project = fixture_copy("basic-project");
    platform::make_directories(project + "res\\drawable-xxhdpi");
    platform::make_directories(project + "res\\drawable-xxxhdpi");
    const std::string picture = scratch_.path() + "small.png";
    write_disc_png(picture, 40, 40);
    HWND w = start_with(testing_support::without_trailing(project));
    ASSERT_NE(w, nullptr);
    HWND box = click_and_choose(w, id_picture, picture);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box), "Done !");
    gui::answer(box, IDOK);
    EXPECT_EQ(read_png(project + "res\\drawable-xxxhdpi\\icon.png").width, 192);
    EXPECT_EQ(read_png(project + "res\\drawable-xxhdpi\\icon.png").width, 144);
    EXPECT_EQ(read_png(project + "res\\drawable-ldpi\\icon.png").height, 36);
}

TEST_F(Assets, AppIconIsMadeFromTheFullPictureNotItsEmbeddedThumbnail) {
    const std::string project = fixture_copy("basic-project");
    HWND w = start_with(testing_support::without_trailing(project));
    ASSERT_NE(w, nullptr);
    HWND box =
        click_and_choose(w, id_picture, testing_support::fixture("assets\\embedded-thumbnail.jpg"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box), "Done !");
    gui::answer(box, IDOK);
    const png_facts f = read_png(project + "res\\drawable-xhdpi\\icon.png");
    ASSERT_TRUE(f.loaded);
    EXPECT_EQ(f.width, 96);
    EXPECT_NEAR(f.centre.GetR(), 220, 12);  // the red picture, not the blue thumbnail
    EXPECT_LT(f.centre.GetB(), 30);
    EXPECT_EQ(f.corner.GetA(), 255);
}

TEST_F(Assets, NonSquareAndUndecodablePicturesWriteNothing) {
    const std::string project = fixture_copy("basic-project");
    std::string before;
    platform::read_file(project + "res\\drawable-hdpi\\icon.png", before);
    const std::string wide = scratch_.path() + "wide.png";
    write_disc_png(wide, 100, 99);
    const std::string fake = scratch_.path() + "text.png";
    platform::write_file(fake, "this is not a picture");
    HWND w = start_with(testing_support::without_trailing(project));
    ASSERT_NE(w, nullptr);

    HWND box = click_and_choose(w, id_picture, wide);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::window_text(box), kProgramCaption);
    EXPECT_EQ(gui::message_text(box),
              "Not a square image\r\rPlease choose a square image of at least 72x72 pixels");
    gui::answer(box, IDOK);

    box = click_and_choose(w, id_picture, fake);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box), "Impossible to load this picture");
    gui::answer(box, IDOK);

    std::string after;
    platform::read_file(project + "res\\drawable-hdpi\\icon.png", after);
    EXPECT_EQ(after, before);
}

TEST_F(Assets, DrawableDialogValidatesThenWritesEveryTickedDensity) {
    const std::string project = fixture_copy("android-project");  // only drawable-mdpi
    const std::string picture = scratch_.path() + "Caf\xC3\xA9 Logo.png";
    write_disc_png(picture, 64, 64);
    HWND w = start_with(testing_support::without_trailing(project));
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(gui::item_text(w, id_picture), "Add res/drawable image");

    gui::click(w, id_picture);
    HWND files = gui::wait_file_dialog(pid());
    ASSERT_NE(files, nullptr);
    gui::type_into_file_dialog(files, picture);
    HWND d = gui::wait_window(pid(), "res/drawable image");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(gui::item_text(d, drawable::name), "CafeLogo");
    EXPECT_FALSE(gui::is_checked(d, drawable::first_check + kXhdpi));
    EXPECT_FALSE(gui::is_checked(d, drawable::first_check + kHdpi));
    EXPECT_TRUE(gui::is_checked(d, drawable::first_check + kMdpi));
    EXPECT_FALSE(gui::is_checked(d, drawable::first_check + kLdpi));
    EXPECT_FALSE(gui::item_enabled(d, drawable::first_size + kXhdpi));
    EXPECT_FALSE(gui::item_enabled(d, drawable::first_label + kXhdpi));
    EXPECT_TRUE(gui::item_enabled(d, drawable::first_size + kMdpi));
    EXPECT_TRUE(
        gui::item_enabled(d, drawable::first_check + kXhdpi));  // the check box itself stays usable
    EXPECT_EQ(gui::item_text(d, drawable::first_label + kMdpi), "x 48 pixels");
    gui::screenshot(d, "assets-drawable-dialog");

    // A refused name keeps the dialog open with the focus on the name.
    gui::set_item_text(d, drawable::name, "my-icon");
    gui::click(d, drawable::ok);
    HWND box = gui::wait_message_box(pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box),
              "The drawable name must only contain characters among [A-Z] [a-z] and/or [0-9]"
              "\r\rSpaces and other non-alphanumeric characters are not allowed");
    gui::answer(box, IDOK);
    EXPECT_TRUE(IsWindow(d));
    EXPECT_EQ(focused_window(d), GetDlgItem(d, drawable::name));

    gui::set_item_text(d, drawable::name, "   ");
    gui::click(d, drawable::ok);
    box = gui::wait_message_box(pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box), "Please type a drawable name");
    gui::answer(box, IDOK);

    // All four ticked, the mdpi size emptied: xhdpi and hdpi are written, then the problem.
    gui::set_item_text(d, drawable::name, "my_icon");
    for (int row = 0; row < drawable::row_count; ++row) tick(d, drawable::first_check + row, true);
    EXPECT_TRUE(gui::item_enabled(d, drawable::first_size + kXhdpi));
    gui::set_item_text(d, drawable::first_size + kMdpi, "");
    gui::click(d, drawable::ok);
    box = gui::wait_message_box(pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box),
              "[drawable-mdpi]\r\rPlease type a value greater than zero, or uncheck the field");
    gui::answer(box, IDOK);
    EXPECT_EQ(focused_window(d), GetDlgItem(d, drawable::first_size + kMdpi));
    EXPECT_EQ(read_png(project + "res\\drawable-xhdpi\\my_icon.png").width, 96);
    EXPECT_EQ(read_png(project + "res\\drawable-hdpi\\my_icon.png").width, 72);
    EXPECT_FALSE(platform::file_exists(project + "res\\drawable-mdpi\\my_icon.png"));
    EXPECT_FALSE(platform::file_exists(project + "res\\drawable-ldpi"));

    // A third digit is cut off and the label follows the box.
    gui::set_item_text(d, drawable::first_size + kMdpi, "123");
    EXPECT_EQ(gui::item_text(d, drawable::first_size + kMdpi), "12");
    EXPECT_EQ(gui::item_text(d, drawable::first_label + kMdpi), "x 12 pixels");
    gui::click(d, drawable::ok);
    box = gui::wait_message_box(pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::window_text(box), kProgramCaption);
    EXPECT_EQ(gui::message_text(box), "New drawable correctly added to the project");
    EXPECT_FALSE(IsWindow(d));
    gui::answer(box, IDOK);
    const png_facts mdpi = read_png(project + "res\\drawable-mdpi\\my_icon.png");
    EXPECT_EQ(mdpi.width, 12);
    EXPECT_EQ(mdpi.corner.GetA(), 0);
    EXPECT_EQ(read_png(project + "res\\drawable-ldpi\\my_icon.png").width, 36);
}

TEST_F(Assets, DrawableDialogCancelAndCloseBoxWriteNothing) {
    const std::string project = fixture_copy("android-project");
    const std::string picture = scratch_.path() + "pic.png";
    write_disc_png(picture, 32, 32);
    HWND w = start_with(testing_support::without_trailing(project));
    ASSERT_NE(w, nullptr);
    for (int closing : {drawable::cancel, static_cast<int>(IDCANCEL)}) {
        gui::click(w, id_picture);
        HWND files = gui::wait_file_dialog(pid());
        ASSERT_NE(files, nullptr);
        gui::type_into_file_dialog(files, picture);
        HWND d = gui::wait_window(pid(), "res/drawable image");
        ASSERT_NE(d, nullptr);
        if (closing == IDCANCEL)
            PostMessageW(d, WM_CLOSE, 0, 0);
        else
            gui::click(d, closing);
        EXPECT_TRUE(gui::wait_until([d] { return !IsWindow(d); }, 2000));
        EXPECT_TRUE(gui::no_message_box(pid()));
    }
    EXPECT_FALSE(platform::file_exists(project + "res\\drawable-mdpi\\pic.png"));
}

TEST_F(Assets, UpdateProgramMergesIncludesIntoTheSetupTarget) {
    const std::string project = fixture_copy("basic-project");
    const std::string target = project + "assets\\demo\\source\\demo.bas";
    testing_support::scratch_folder source;
    source.write("lib\\util.bas", "  FN.DEF twice(x)\r\n\tFN.RTN x * 2\r\nFN.END");
    const std::string main = source.write(
        "main.bas", "! main\r\nInclude lib\\util.bas\r\n  PRINT twice(2)  \r\ninclude gone.bas");
    HWND w = start_with(testing_support::without_trailing(project));
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(gui::item_text(w, id_program), "Update BASIC! program");

    HWND box = click_and_choose(w, id_program, main);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::window_text(box), "Update BASIC! program");
    EXPECT_EQ(gui::message_text(box),
              "The program has been written, but these included files were left out:\r"
              "- not found: \"" +
                  source.path() + "gone.bas\"");
    gui::answer(box, IDOK);
    std::string written;
    platform::read_file(target, written);
    EXPECT_EQ(written, "! main\nFN.DEF twice(x)\n\tFN.RTN x * 2\nFN.END\n\nPRINT twice(2)\n\n\n");

    // A complete program ends with "Done !".
    platform::write_file(main, "PRINT 1\r\n");
    box = click_and_choose(w, id_program, main);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box), "Done !");
    gui::answer(box, IDOK);
    platform::read_file(target, written);
    EXPECT_EQ(written, "PRINT 1\n\n");

    // Without the target file nothing is written and the path is named.
    platform::remove_file(target);
    box = click_and_choose(w, id_program, main);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::window_text(box), kProgramCaption);
    EXPECT_EQ(gui::message_text(box),
              "We didn't find an \"assets\\demo\\source\\demo.bas to replace!");
    gui::answer(box, IDOK);
    EXPECT_FALSE(platform::file_exists(target));
}

TEST_F(Assets, UpdateProgramPrefersResRawAndReportsAProjectWithoutProgram) {
    const std::string project = fixture_copy("basic-project");
    testing_support::scratch_folder source;
    const std::string main = source.write("main.bas", "A\r\nB\r\n");
    platform::make_directories(project + "res\\raw");
    platform::write_file(project + "res\\raw\\my_program", "old");
    platform::write_file(project + "res\\raw\\my_program.bas", "old too");
    HWND w = start_with(testing_support::without_trailing(project));
    ASSERT_NE(w, nullptr);
    HWND box = click_and_choose(w, id_program, main);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box), "Done !");
    gui::answer(box, IDOK);
    std::string raw, bas;
    platform::read_file(project + "res\\raw\\my_program", raw);
    platform::read_file(project + "res\\raw\\my_program.bas", bas);
    EXPECT_EQ(raw, "A\nB\n\n");
    EXPECT_EQ(bas, "old too");

    platform::remove_file(project + "res\\raw\\my_program");
    platform::remove_file(project + "res\\raw\\my_program.bas");
    platform::remove_file(project + "res\\values\\setup.xml");
    box = click_and_choose(w, id_program, main);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box),
              "We didn't find a \"res\\raw\\my_program\" or my_program.bas to replace!");
    gui::answer(box, IDOK);
}

TEST_F(Assets, GitignoreIsCreatedOnceAndTheCaptionChanges) {
    const std::string project = fixture_copy("basic-project");
    HWND w = start_with(testing_support::without_trailing(project));
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(gui::item_text(w, id_gitignore), "Create .gitignore file");
    gui::click(w, id_gitignore);
    HWND box = gui::wait_message_box(pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box),
              "The .gitignore file has been correctly created:\r\"" + project + ".gitignore\"");
    gui::answer(box, IDOK);
    EXPECT_EQ(gui::item_text(w, id_gitignore), "Edit the .gitignore file");
    std::string written, expected;
    platform::read_file(project + ".gitignore", written);
    platform::read_file(testing_support::fixture("..\\..\\resources\\gitignore.txt"), expected);
    EXPECT_FALSE(written.empty());
    EXPECT_EQ(written, expected);
}

namespace {

BOOL CALLBACK find_notepad(HWND hwnd, LPARAM param) {
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (IsWindowVisible(hwnd) && std::wstring(cls) == L"Notepad") {
        *reinterpret_cast<HWND*>(param) = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

TEST_F(Assets, ExistingGitignoreOpensInTheEditorAndKeepsLfLineEnds) {
    const std::string project = fixture_copy("android-project");  // .gitignore with LF ends
    std::string before;
    platform::read_file(project + ".gitignore", before);
    ASSERT_EQ(before.find('\r'), std::string::npos);
    HWND w = start_with(testing_support::without_trailing(project));
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(gui::item_text(w, id_gitignore), "Edit the .gitignore file");
    gui::click(w, id_gitignore);
    HWND editor = nullptr;
    gui::wait_until([&editor] {
        EnumWindows(find_notepad, reinterpret_cast<LPARAM>(&editor));
        return editor != nullptr;
    });
    EXPECT_TRUE(gui::no_message_box(pid()));
    std::string after;
    platform::read_file(project + ".gitignore", after);
    EXPECT_EQ(after, before);  // back to LF once the editor has been started
    ASSERT_NE(editor, nullptr) << "no editor window showed the .gitignore file";
    EXPECT_NE(gui::window_text(editor).find(".gitignore"), std::string::npos);
    PostMessageW(editor, WM_CLOSE, 0, 0);
}

namespace {

// The duplicate progress dialog: a caption-less dialog of the process holding the progress bar.
BOOL CALLBACK find_progress(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<window_search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == s->pid && IsWindowVisible(hwnd) && GetDlgItem(hwnd, vexlo::duplicate_ids::bar)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND wait_progress(DWORD pid, int timeout_ms = 10000) {
    window_search s{pid};
    gui::wait_until(
        [&s] {
            EnumWindows(find_progress, reinterpret_cast<LPARAM>(&s));
            return s.found != nullptr;
        },
        timeout_ms);
    return s.found;
}

// Answers the "create this file?" question of a save dialog when one comes.
// (That question is owned by the save dialog; every later box is owned by the main window.)
void confirm_creation(DWORD pid, HWND save_dialog) {
    for (int waited = 0; waited < 3000 && IsWindow(save_dialog); waited += 50) {
        HWND box = gui::wait_message_box(pid, 50);
        if (box && GetWindow(box, GW_OWNER) == save_dialog) {
            gui::answer(box, IDYES);
            return;
        }
        if (!IsWindowVisible(save_dialog)) return;
    }
}

void make_hidden(const std::string& path) {
    const std::wstring w = platform::widen(path);
    SetFileAttributesW(w.c_str(), GetFileAttributesW(w.c_str()) | FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace

TEST_F(Assets, DuplicateCopiesTheProjectAndLoadsTheCopy) {
    const std::string project = fixture_copy("basic-project");
    platform::make_directories(project + ".git\\objects");
    platform::write_file(project + ".git\\HEAD", "ref: refs/heads/main");
    platform::write_file(project + ".git\\objects\\blob", "data");
    make_hidden(project + ".git");
    platform::write_file(project + "res\\secret.txt", "hidden file");
    make_hidden(project + "res\\secret.txt");
    // Enough files for the progress dialog to be seen.
    for (int i = 0; i < 1500; ++i)
        platform::write_file(project + "assets\\demo\\f" + std::to_string(i) + ".txt",
                             std::string(2000, 'x'));
    const std::string copy = scratch_.path() + "Demo copy";

    HWND w = start_with(testing_support::without_trailing(project));
    ASSERT_NE(w, nullptr);
    gui::click(w, id_duplicate);
    HWND save = gui::wait_file_dialog(pid());
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(gui::window_text(save), "Save project as");
    gui::type_into_file_dialog(save, copy);
    confirm_creation(pid(), save);
    HWND progress = wait_progress(pid());
    if (progress) {
        EXPECT_EQ(gui::window_text(progress), "");
        EXPECT_EQ(gui::item_text(progress, vexlo::duplicate_ids::title), "Duplicating project...");
        gui::screenshot(progress, "assets-duplicate-progress");
    }
    HWND box = gui::wait_message_box(pid(), 60000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box), "Load this new duplicate project ?");
    EXPECT_FALSE(progress && IsWindow(progress));
    gui::answer(box, IDYES);
    gui::settle(w);

    EXPECT_EQ(gui::combo_items(w, id_recent).front(), copy);
    EXPECT_EQ(gui::item_text(w, id_status), "This is an (Android) BASIC! based project");
    std::string manifest, original;
    platform::read_file(copy + "\\AndroidManifest.xml", manifest);
    platform::read_file(project + "AndroidManifest.xml", original);
    EXPECT_EQ(manifest, original);
    EXPECT_TRUE(platform::file_exists(copy + "\\assets\\demo\\f1499.txt"));
    EXPECT_TRUE(platform::file_exists(copy + "\\res\\secret.txt"));
    EXPECT_FALSE(platform::file_exists(copy + "\\.git"));
}

TEST_F(Assets, DuplicateStoppedWithEscapeLeavesWholeFilesAndStillAsks) {
    const std::string project = fixture_copy("basic-project");
    for (int i = 0; i < 4000; ++i)
        platform::write_file(project + "assets\\demo\\f" + std::to_string(i) + ".txt",
                             std::string(20000, 'y'));
    const std::string copy = scratch_.path() + "stopped";
    HWND w = start_with(testing_support::without_trailing(project));
    ASSERT_NE(w, nullptr);
    gui::click(w, id_duplicate);
    HWND save = gui::wait_file_dialog(pid());
    ASSERT_NE(save, nullptr);
    gui::type_into_file_dialog(save, copy);
    confirm_creation(pid(), save);
    HWND progress = wait_progress(pid());
    ASSERT_NE(progress, nullptr);
    gui::screenshot(progress, "assets-duplicate-start");
    gui::wait_until(
        [progress] {
            return gui::item_text(progress, vexlo::duplicate_ids::status) == "Copying files...";
        },
        5000);
    PostMessageW(progress, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);  // what Escape sends

    HWND box = gui::wait_message_box(pid(), 60000);
    ASSERT_NE(box, nullptr);
    const std::string stopped = gui::message_text(box);
    EXPECT_EQ(stopped.rfind("The duplication was stopped before its end: ", 0), 0u) << stopped;
    gui::answer(box, IDOK);
    box = gui::wait_message_box(pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box), "Load this new duplicate project ?");
    gui::answer(box, IDNO);

    // Every file that arrived is whole; no partial copy is left under any name.
    std::vector<platform::dir_entry> entries;
    platform::list_directory(copy + "\\assets\\demo", entries);
    std::size_t whole = 0;
    for (const auto& e : entries) {
        if (e.is_directory) continue;
        EXPECT_EQ(e.name.find(".vxdup~"), std::string::npos) << e.name;
        std::uint64_t size = 0;
        platform::file_size(copy + "\\assets\\demo\\" + e.name, size);
        if (e.name[0] == 'f') {
            EXPECT_EQ(size, 20000u) << e.name;
        }
        ++whole;
    }
    EXPECT_LT(whole, 4002u);  // stopped before the end
}

TEST_F(Assets, DuplicateIntoTheProjectItselfIsRefused) {
    const std::string project = fixture_copy("basic-project");
    HWND w = start_with(testing_support::without_trailing(project));
    ASSERT_NE(w, nullptr);
    gui::click(w, id_duplicate);
    HWND save = gui::wait_file_dialog(pid());
    ASSERT_NE(save, nullptr);
    gui::type_into_file_dialog(save, project + "res\\inner");
    confirm_creation(pid(), save);
    HWND box = gui::wait_message_box(pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::message_text(box),
              "The duplicate cannot be placed in the project itself or in one of its folders:\r\"" +
                  project + "res\\inner\"\r\rPlease choose a folder outside the project.");
    gui::answer(box, IDOK);
    EXPECT_TRUE(gui::no_message_box(pid()));
    EXPECT_FALSE(platform::file_exists(project + "res\\inner"));
}
