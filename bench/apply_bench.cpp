// Applying property changes: a package rename on a generated project of 5,000 Java and XML
// files (about 50 MB) against a baseline of grep, sed and mv doing the same text replacement and
// folder move on an identical copy, and applying on the real-world BASIC! fixture.
//
// Every iteration renames the package back and forth (the next one undoes the previous), so the
// projects are generated only once and every iteration does the same amount of work.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "core/project/apply_changes.h"
#include "core/project/apply_report.h"
#include "core/project/project_loader.h"
#include "platform/platform.h"
#include "unit/test_support.h"

namespace {

constexpr int kJavaFiles = 3000;
constexpr int kXmlFiles = 2000;
constexpr int kSubPackages = 30;
constexpr int kLayoutFolders = 20;
const std::string kPackageA = "com.example.bigapp";
const std::string kPackageB = "org.demo.bigapp";

std::string folders_of(const std::string& package) {
    std::string out = package;
    for (char& c : out)
        if (c == '.') c = '\\';
    return out;
}

// About 10 KB of Java naming the package now and then.
std::string java_source(int n) {
    const std::string sub = kPackageA + ".mod" + std::to_string(n % kSubPackages);
    std::string text = "package " + sub + ";\n\nimport " + kPackageA + ".R;\nimport " + kPackageA +
                       ".mod0.Helper;\nimport com.example.bigapplication.Other;\n\n"
                       "public class Class" +
                       std::to_string(n) + " {\n";
    for (int line = 0; text.size() < 10000; ++line) {
        if (line % 8 == 0)
            text += "    int id" + std::to_string(line) + " = " + kPackageA + ".R.id.view" +
                    std::to_string(line) + ";\n";
        else
            text += "    private final String field" + std::to_string(line) +
                    " = \"some text that is not a package name at all\";\n";
    }
    return text + "}\n";
}

// About 10 KB of layout with custom views of the package.
std::string layout_xml(int n) {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<LinearLayout xmlns:android="
        "\"http://schemas.android.com/apk/res/android\"\n    xmlns:app=\"http://"
        "schemas.android.com/apk/res/" +
        kPackageA + "\">\n";
    for (int line = 0; text.size() < 10000; ++line) {
        if (line % 4 == 0)
            text += "    <" + kPackageA + ".mod" + std::to_string(line % kSubPackages) +
                    ".Widget android:id=\"@+id/w" + std::to_string(n) + "_" + std::to_string(line) +
                    "\" />\n";
        else
            text += "    <TextView android:layout_width=\"fill_parent\" android:text=\"line " +
                    std::to_string(line) + "\" />\n";
    }
    return text + "</LinearLayout>\n";
}

std::string manifest_for(const std::string& package) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<manifest xmlns:android=\"http://"
           "schemas.android.com/apk/res/android\"\n    package=\"" +
           package +
           "\"\n"
           "    android:versionCode=\"1\" android:versionName=\"1.0\">\n"
           "    <uses-sdk android:minSdkVersion=\"9\" android:targetSdkVersion=\"19\" />\n"
           "    <application android:label=\"Big\">\n"
           "        <activity android:name=\"" +
           package +
           ".mod0.Class0\" />\n"
           "    </application>\n</manifest>\n";
}

// One generated project in a scratch folder, and the package it holds at the moment.
struct big_project {
    testing_support::scratch_folder scratch;
    std::string folder;
    std::string package = kPackageA;

    big_project() {
        folder = scratch.path() + "big\\";
        scratch.write("big\\AndroidManifest.xml", manifest_for(kPackageA));
        const std::string src = "big\\src\\" + folders_of(kPackageA) + "\\";
        for (int n = 0; n < kJavaFiles; ++n)
            scratch.write(src + "mod" + std::to_string(n % kSubPackages) + "\\Class" +
                              std::to_string(n) + ".java",
                          java_source(n));
        for (int n = 0; n < kXmlFiles; ++n)
            scratch.write("big\\res\\layout-v" + std::to_string(n % kLayoutFolders) + "\\screen" +
                              std::to_string(n) + ".xml",
                          layout_xml(n));
    }
    std::string next_package() const { return package == kPackageA ? kPackageB : kPackageA; }
    std::string native_folder() const {
        std::string out = folder;
        for (char& c : out)
            if (c == '\\') c = '/';
        return out;
    }
};

big_project& project_for_apply() {
    static big_project p;
    return p;
}

big_project& project_for_baseline() {
    static big_project p;
    return p;
}

std::string dotted_regex(const std::string& package) {
    std::string out;
    for (char c : package) out += c == '.' ? std::string("\\.") : std::string(1, c);
    return out;
}

}  // namespace

static void BM_ApplyPackageRename5000Files(benchmark::State& state) {
    big_project& p = project_for_apply();
    project::project_state record;
    record.project_folder = p.folder;
    record.app_name = "Big";
    record.version_name = "1.0";
    record.version_code = "1";
    record.min_sdk = "9";
    record.target_sdk = "19";
    record.project_kind = project::kind_android;
    for (auto _ : state) {
        record.package_name = p.next_package();
        project::property_changes changes;
        changes.package_name = true;
        const project::apply_result result = project::apply_project_changes(record, changes);
        if (!result.succeeded() || result.files_moved != kJavaFiles) {
            state.SkipWithError(("apply failed: " + project::problems_text(result)).c_str());
            break;
        }
        p.package = record.package_name;
    }
    state.counters["files"] = kJavaFiles + kXmlFiles;
}
BENCHMARK(BM_ApplyPackageRename5000Files)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same text replacement and folder move done by the usual command-line tools.
static void BM_BaselineGrepSedMove5000Files(benchmark::State& state) {
    big_project& p = project_for_baseline();
    for (auto _ : state) {
        const std::string from = p.package, to = p.next_package();
        std::string from_path = "src/" + folders_of(from), to_path = "src/" + folders_of(to);
        for (std::string* path : {&from_path, &to_path})
            for (char& c : *path)
                if (c == '\\') c = '/';
        const std::string command =
            "cd '" + p.native_folder() + "' && grep -rlZ --include='*.xml' --include='*.java' '" +
            dotted_regex(from) + "' . | xargs -0 -r sed -i 's/" + dotted_regex(from) + "/" + to +
            "/g' && mkdir -p \"$(dirname " + to_path + ")\" && mv " + from_path + " " + to_path +
            " && (rmdir -p \"$(dirname " + from_path + ")\" 2>/dev/null; true)";
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("baseline command failed");
            break;
        }
        p.package = to;
    }
    state.counters["files"] = kJavaFiles + kXmlFiles;
}
BENCHMARK(BM_BaselineGrepSedMove5000Files)->Unit(benchmark::kMillisecond)->UseRealTime();

namespace {

struct fixture_copy {
    testing_support::scratch_folder scratch;
    std::string folder = testing_support::copy_fixture("basic-project", scratch);
    project::project_state record;
    fixture_copy() {
        record.project_folder = folder;
        project::store_loaded(project::load_project_files(folder), record);
    }
};

}  // namespace

// Name, version (with BASIC!'s padded copy in setup.xml) and one permission, back and forth.
static void BM_ApplyRealWorldProject(benchmark::State& state) {
    fixture_copy f;
    project::project_state changed = f.record;
    changed.app_name = "Another Name";
    changed.version_name = "2.5";
    changed.saved_permissions[8] = !changed.saved_permissions[8];
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        const project::project_state& target = flip ? changed : f.record;
        benchmark::DoNotOptimize(project::apply_project_changes(
            target, project::changes_between(flip ? f.record : changed, target)));
    }
}
BENCHMARK(BM_ApplyRealWorldProject)->Unit(benchmark::kMicrosecond);

// The same with a package rename of the fixture's sources.
static void BM_ApplyRealWorldProjectWithRename(benchmark::State& state) {
    fixture_copy f;
    project::project_state changed = f.record;
    changed.app_name = "Another Name";
    changed.package_name = "com.example.mygame";
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        const project::project_state& target = flip ? changed : f.record;
        benchmark::DoNotOptimize(project::apply_project_changes(
            target, project::changes_between(flip ? f.record : changed, target)));
    }
}
BENCHMARK(BM_ApplyRealWorldProjectWithRename)->Unit(benchmark::kMicrosecond);
