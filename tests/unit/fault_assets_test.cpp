// The asset commands under faults, one table per command: a read-only file or folder, a file
// held open, a full disk, a link out of the project, a long path. Each ends with the project as
// it was (or as the command makes it), or changed in exactly the files its message names, and
// nothing outside the project is touched.
#include <gtest/gtest.h>

#include "core/assets/drawable_rules.h"
#include "core/assets/icon_plan.h"
#include "core/assets/program_target.h"
#include "core/assets/project_duplicate.h"
#include "core/assets/project_files.h"
#include "core/assets/project_writes.h"
#include "unit/fault_scenarios.h"

using namespace assets;
using namespace testing_support;

TEST(FaultAssets, ProgramUpdate) {
    const auto make = [](const std::string& folder) {
        platform::make_directories(folder + "res\\values");
        platform::write_file(folder + "res\\values\\setup.xml",
                             "<resources><string name=\"app_path\">app</string>"
                             "<string name=\"my_program\">main.bas</string></resources>");
        platform::make_directories(folder + "assets\\app\\source");
        platform::write_file(folder + "assets\\app\\source\\main.bas", "PRINT \"old\"\n");
    };
    const auto update = [](const std::string& folder) -> operation_result {
        const program_target target = find_program_target(folder);
        if (!target.found) return {target.message, {}};
        const write_outcome w = replace_program(folder, target.path, "PRINT \"new\"\n");
        return {w.completed() ? "Done !" : unwritable_program_message(w), w.changed};
    };
    const std::string program = "assets\\app\\source\\main.bas";
    run_fault_table({{scenario::read_only_file, program, expect::before, program},
                     {scenario::read_only_folder, "assets\\app\\source", expect::before, program},
                     {scenario::held_open, program, expect::before, program},
                     {scenario::disk_full, "", expect::before, program, 0},
                     // Refused when the program is looked for: named by its place in the project.
                     {scenario::link_outside, "assets\\app", expect::before, ""},
                     {scenario::link_outside, program, expect::before, program},
                     {scenario::long_path, "", expect::after, ""}},
                    make, update, "Done !");
}

TEST(FaultAssets, AWriteLeadingOutOfTheProjectIsRefused) {
    scratch_folder s;
    s.write("p\\AndroidManifest.xml", "<manifest/>");
    s.write("elsewhere\\source\\main.bas", "theirs");
    const std::string target = s.path() + "p\\assets\\..\\..\\elsewhere\\source\\main.bas";
    const write_outcome w = replace_program(s.path() + "p\\", target, "mine");
    EXPECT_EQ(w.stop, write_stop::outside);
    EXPECT_NE(unwritable_program_message(w).find(target), std::string::npos);
    EXPECT_EQ(s.read("elsewhere\\source\\main.bas"), "theirs");
}

TEST(FaultAssets, AppIcon) {
    const auto make = [](const std::string& folder) {
        platform::make_directories(folder + "res\\drawable-xxxhdpi");
        platform::make_directories(folder + "res\\drawable-hdpi");
        platform::write_file(folder + "res\\drawable-hdpi\\icon.png", "old 72");
        platform::make_directories(folder + "res\\drawable-mdpi");
        platform::write_file(folder + "res\\drawable-mdpi\\icon.png", "old 48");
    };
    // The picture's encoding is the program's; what is written where, and how, is this.
    const auto change_icon = [](const std::string& folder) -> operation_result {
        std::vector<new_file> icons;
        for (const planned_icon& icon : plan_app_icons(folder))
            icons.push_back({icon.path, "new " + std::to_string(icon.size)});
        const write_outcome w = write_project_files(folder, icons);
        return {icons_done_message(w), w.changed};
    };
    const std::string hdpi = "res\\drawable-hdpi\\icon.png";
    const std::string mdpi = "res\\drawable-mdpi\\icon.png";
    run_fault_table(
        {{scenario::read_only_file, mdpi, expect::before, mdpi},
         {scenario::read_only_folder, "res\\drawable-hdpi", expect::before, hdpi},
         {scenario::held_open, mdpi, expect::as_reported, mdpi},
         {scenario::disk_full, "", expect::before, hdpi, 1},
         {scenario::link_outside, "res\\drawable-mdpi", expect::before, "res\\drawable-mdpi"},
         {scenario::link_outside, hdpi, expect::before, hdpi},
         {scenario::long_path, "", expect::after, ""}},
        make, change_icon, "Done !");
}

TEST(FaultAssets, AddDrawable) {
    const auto make = [](const std::string& folder) {
        platform::make_directories(folder + "res\\drawable-mdpi");
        platform::write_file(folder + "res\\drawable-mdpi\\logo.png", "old 48");
    };
    // The dialog's choice: xhdpi (whose folder is made) and mdpi.
    const auto add = [](const std::string& folder) -> operation_result {
        const write_outcome w = write_project_files(
            folder, {{drawable_file(folder, "drawable-xhdpi", "logo"), "new 96"},
                     {drawable_file(folder, "drawable-mdpi", "logo"), "new 48"}});
        return {w.completed() ? drawable_added_message() : drawable_problem_message(w), w.changed};
    };
    const std::string mdpi = "res\\drawable-mdpi\\logo.png";
    run_fault_table({{scenario::read_only_file, mdpi, expect::before, mdpi},
                     {scenario::read_only_folder, "res", expect::before, "res\\drawable-xhdpi"},
                     {scenario::held_open, mdpi, expect::as_reported, mdpi},
                     {scenario::disk_full, "", expect::before, mdpi, 1},
                     {scenario::link_outside, "res", expect::before, "res"},
                     {scenario::long_path, "", expect::after, ""}},
                    make, add, drawable_added_message());
}

TEST(FaultAssets, Gitignore) {
    const auto make = [](const std::string& folder) {
        platform::write_file(folder + "AndroidManifest.xml", "<manifest/>");
    };
    // Rows whose .gitignore exists take the editor's way: it opens, and nothing may change.
    const auto existing = [](const std::string& folder) {
        platform::write_file(folder + ".gitignore", "bin/\ngen/\n");
    };
    const auto press = [](const std::string& folder) -> operation_result {
        const gitignore_outcome o =
            create_or_edit_gitignore(folder, "bin/\r\ngen/", [](const std::string&) {});
        return {o.message, {}};
    };
    const std::string gitignore = ".gitignore";
    run_fault_table({{scenario::read_only_file, gitignore, expect::before, "", 0, existing},
                     {scenario::read_only_folder, "", expect::before, gitignore},
                     {scenario::held_open, gitignore, expect::before, "", 0, existing},
                     {scenario::disk_full, "", expect::before, gitignore},
                     {scenario::link_outside, gitignore, expect::before, "", 0, existing},
                     {scenario::long_path, "", expect::after, ""}},
                    make, press, [](const std::string& folder) {
                        return gitignore_created_message(gitignore_path(folder));
                    });
}

TEST(FaultAssets, GitignoreLeftWithWindowsLineEndsSaysSo) {
    scratch_folder s;
    s.write(".gitignore", "bin/\ngen/\n");
    int writes = 0;
    const fault_hook_scope full_after_one([&writes](platform::file_step step, const std::string&) {
        return step == platform::file_step::write && ++writes > 1;
    });
    const gitignore_outcome o = create_or_edit_gitignore(s.path(), "x", [](const std::string&) {});
    EXPECT_TRUE(o.failed);
    EXPECT_NE(o.message.find("\"" + s.path() + ".gitignore\""), std::string::npos) << o.message;
    EXPECT_EQ(s.read(".gitignore"), "bin/\r\ngen/\r\n");
}

TEST(FaultAssets, DuplicateIntoAnExistingFolder) {
    const auto make = [](const std::string& folder) {
        platform::make_directories(folder + "p\\res\\values");
        platform::make_directories(folder + "p\\res\\drawable");
        platform::make_directories(folder + "p\\src\\com");
        platform::write_file(folder + "p\\AndroidManifest.xml", "<manifest/>");
        platform::write_file(folder + "p\\res\\values\\strings.xml", "<resources/>");
        platform::write_file(folder + "p\\res\\drawable\\pic.png", "png");
        platform::write_file(folder + "p\\src\\com\\Main.java", "class Main {}");
        // The duplicate goes into a folder that holds an older copy and a file of its own.
        platform::make_directories(folder + "copy\\res\\values");
        platform::make_directories(folder + "copy\\src");
        platform::write_file(folder + "copy\\res\\values\\strings.xml", "<resources>older");
        platform::write_file(folder + "copy\\notes.txt", "keep");
    };
    const auto duplicate = [](const std::string& folder) -> operation_result {
        duplicate_observer quiet;
        const duplicate_result r = duplicate_project(folder + "p\\", folder + "copy", quiet);
        std::vector<std::string> missing = r.failed;
        missing.insert(missing.end(), r.links_left_out.begin(), r.links_left_out.end());
        return {duplicate_problem_message(r, folder + "copy"), {}, missing};
    };
    const std::string strings = "copy\\res\\values\\strings.xml";
    run_fault_table(
        {{scenario::read_only_file, strings, expect::partial, strings},
         {scenario::read_only_folder, "copy\\src", expect::partial, "copy\\src\\com"},
         {scenario::held_open, strings, expect::partial, strings},
         {scenario::disk_full, "", expect::partial, "copy\\src\\com\\Main.java", 1},
         {scenario::link_outside, "copy\\res", expect::partial, "copy\\res"},
         {scenario::link_outside, "p\\res\\drawable", expect::partial, "p\\res\\drawable"},
         {scenario::long_path, "", expect::after, ""}},
        make, duplicate, "");
}
