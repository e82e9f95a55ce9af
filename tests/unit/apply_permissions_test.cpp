// The manifest's permission elements as applying regenerates them.
#include <gtest/gtest.h>

#include "apply_support.h"
#include "permission_support.h"
#include "core/project/apply_changes.h"
#include "core/project/apply_report.h"
#include "core/project/permission_block.h"
#include "core/project/permissions.h"
#include "core/project/project_loader.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"
#include "test_support.h"

using namespace project;
using testing_support::scratch_folder;

namespace {

constexpr int kWrite = 0, kInternet = 1, kCamera = 8, kNetworkState = 17;

permission_flags flags(std::initializer_list<int> rows) {
    permission_flags out{};
    for (int r : rows) out[r] = true;
    return out;
}

std::string line(int row, const char* eol = "\n") {
    return uses_permission_line(row) + eol;
}

const std::string kForeign =
    "    <uses-permission android:name=\"com.android.launcher.permission.INSTALL_SHORTCUT\" />\n";

std::string manifest_lf(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<manifest xmlns:android=\"http://schemas.android.com/apk/res/android\"\n"
           "    package=\"com.example.app\">\n" +
           body + "    <application android:label=\"Demo\" />\n</manifest>\n";
}

}  // namespace

TEST(ApplyPermissions, ReplacesTableElementsWhereTheFirstStood) {
    const std::string before = manifest_lf("    <uses-sdk android:minSdkVersion=\"9\" />\n" +
                                           line(kWrite) + line(kInternet) + "\n");
    const std::string after = manifest_with_permissions(before, flags({kInternet, kCamera}));
    EXPECT_EQ(after, manifest_lf("    <uses-sdk android:minSdkVersion=\"9\" />\n" +
                                 line(kInternet) + line(kCamera) + "\n"));
    EXPECT_EQ(granted_permissions(after), flags({kInternet, kCamera}));
}

TEST(ApplyPermissions, ForeignPermissionsBeforeBetweenAndAfterSurvive) {
    const std::string foreign_a =
        "    <uses-permission android:name=\"android.permission.READ_CONTACTS\" />\n";
    const std::string before =
        manifest_lf(foreign_a + line(kWrite) + kForeign + "    <!-- network -->\n\n" +
                    line(kInternet) + "    <uses-feature android:name=\"x\" />\n");
    const std::string after = manifest_with_permissions(before, flags({kNetworkState}));
    EXPECT_EQ(after,
              manifest_lf(foreign_a + line(kNetworkState) + kForeign + "    <!-- network -->\n\n" +
                          "    <uses-feature android:name=\"x\" />\n"));
}

TEST(ApplyPermissions, CrLfManifestGetsCrLfLines) {
    const std::string before = text::to_crlf_text(manifest_lf(line(kWrite)));
    const std::string after = manifest_with_permissions(before, flags({kWrite, kInternet}));
    EXPECT_EQ(after, text::to_crlf_text(manifest_lf(line(kWrite) + line(kInternet))));
    EXPECT_EQ(after.find("\n\n"), std::string::npos);
}

TEST(ApplyPermissions, NoneYetGoesAfterTheManifestStartTagLine) {
    const std::string before = manifest_lf("");
    const std::string after = manifest_with_permissions(before, flags({kCamera}));
    EXPECT_EQ(after,
              "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
              "<manifest xmlns:android=\"http://schemas.android.com/apk/res/android\"\n"
              "    package=\"com.example.app\">\n" +
                  line(kCamera) + "    <application android:label=\"Demo\" />\n</manifest>\n");
    const std::string crlf = text::to_crlf_text(before);
    EXPECT_EQ(manifest_with_permissions(crlf, flags({kCamera})), text::to_crlf_text(after));
}

TEST(ApplyPermissions, RevokingAllRemovesOnlyTheTableLines) {
    const std::string before = manifest_lf(line(kWrite) + kForeign + line(kCamera));
    EXPECT_EQ(manifest_with_permissions(before, permission_flags{}), manifest_lf(kForeign));
    // Nothing chosen and nothing there: unchanged.
    EXPECT_EQ(manifest_with_permissions(manifest_lf(""), permission_flags{}), manifest_lf(""));
}

TEST(ApplyPermissions, CommentedPermissionsAreNeitherGrantedNorRemoved) {
    const std::string commented =
        "    <!-- <uses-permission android:name=\"android.permission.CAMERA\" /> -->\n";
    const std::string before = manifest_lf(commented + line(kInternet));
    EXPECT_EQ(granted_permissions(before), flags({kInternet}));
    const std::string after = manifest_with_permissions(before, flags({kCamera}));
    EXPECT_EQ(after, manifest_lf(commented + line(kCamera)));
    // A comment spanning several lines with a table permission inside stays whole too; with no
    // element outside comments, the block goes after the manifest start tag.
    const std::string block_comment = "    <!--\n" + line(kWrite) + "    -->\n";
    EXPECT_EQ(manifest_with_permissions(manifest_lf(block_comment), flags({kInternet})),
              manifest_lf(line(kInternet) + block_comment));
}

TEST(ApplyPermissions, ApplyingTwiceChangesNothingTheSecondTime) {
    const std::string cases[] = {
        manifest_lf(line(kWrite) + kForeign + "\n" + line(kInternet)),
        text::to_crlf_text(manifest_lf(line(kCamera))),
        manifest_lf(""),
        // An element sharing its line with other text.
        manifest_lf(
            "    <uses-sdk /><uses-permission android:name=\"android.permission.VIBRATE\"/>\n"),
        manifest_lf("    " + uses_permission_line(kInternet).substr(5) + " <!-- net -->\n"),
        // A one-line manifest.
        "<manifest package=\"a.b\"><uses-permission android:name=\"android.permission.DUMP\"/>"
        "</manifest>",
    };
    for (const permission_flags& choice :
         {flags({kWrite, kInternet, kCamera}), flags({kNetworkState}), permission_flags{}}) {
        for (const std::string& before : cases) {
            const std::string once = manifest_with_permissions(before, choice);
            EXPECT_EQ(manifest_with_permissions(once, choice), once) << before;
            EXPECT_EQ(granted_permissions(once), choice) << once;
        }
    }
}

TEST(ApplyPermissions, ElementSharingItsLineLeavesTheRestInPlace) {
    const std::string before = manifest_lf(
        "    <uses-sdk /><uses-permission android:name=\"android.permission.VIBRATE\"/>\n");
    EXPECT_EQ(manifest_with_permissions(before, flags({kCamera})),
              manifest_lf("    <uses-sdk />\n" + line(kCamera)));
    const std::string commented_after =
        manifest_lf("    " + uses_permission_line(kInternet).substr(5) + " <!-- net -->\n");
    EXPECT_EQ(manifest_with_permissions(commented_after, flags({kInternet})), commented_after);
    EXPECT_EQ(manifest_with_permissions(commented_after, flags({kCamera})),
              manifest_lf(line(kCamera) + "     <!-- net -->\n"));
}

TEST(ApplyPermissions, TwoOnOneLineAndMultiLineElements) {
    const std::string two =
        "    <uses-permission android:name=\"android.permission.CAMERA\"/> "
        "<uses-permission android:name=\"android.permission.VIBRATE\"/>\n";
    EXPECT_EQ(manifest_with_permissions(manifest_lf(two + kForeign), flags({kInternet})),
              manifest_lf(line(kInternet) + kForeign));
    const std::string multi =
        "    <uses-permission\n        android:name=\"android.permission.CAMERA\"\n"
        "        android:required=\"false\">\n    </uses-permission>\n";
    EXPECT_EQ(manifest_with_permissions(manifest_lf(kForeign + multi), flags({kWrite})),
              manifest_lf(kForeign + line(kWrite)));
}

TEST(ApplyPermissions, OtherElementsStartingTheSameAreNotTouched) {
    const std::string sdk23 =
        "    <uses-permission-sdk-23 android:name=\"android.permission.CAMERA\" />\n";
    const std::string before = manifest_lf(sdk23 + line(kInternet));
    EXPECT_EQ(manifest_with_permissions(before, flags({kWrite})),
              manifest_lf(sdk23 + line(kWrite)));
}

TEST(ApplyPermissions, LowerCaseNamesCountAsTheTablePermission) {
    const std::string before =
        manifest_lf("    <USES-PERMISSION android:name=\"android.permission.internet\" />\n");
    EXPECT_EQ(granted_permissions(before), flags({kInternet}));
    EXPECT_EQ(manifest_with_permissions(before, flags({kCamera})), manifest_lf(line(kCamera)));
}

TEST(ApplyPermissions, NoManifestTagMeansNowhereToPutThem) {
    bool placed = true;
    EXPECT_EQ(manifest_with_permissions("<resources/>\n", flags({kCamera}), &placed),
              "<resources/>\n");
    EXPECT_FALSE(placed);
}

TEST(ApplyPermissions, RealBasicManifestKeepsInstallShortcutAndComments) {
    scratch_folder dir;
    const std::string project = testing_support::copy_fixture("basic-project", dir);
    std::string before;
    ASSERT_TRUE(platform::read_file(project + "AndroidManifest.xml", before));
    const project_state loaded = testing_support::loaded_record(project);
    ASSERT_FALSE(loaded.saved_permissions[3]);  // MOCK_LOCATION stands only in a comment
    project_state state = loaded;
    state.saved_permissions[kCamera] = false;
    state.saved_permissions[18] = true;  // DUMP

    const apply_result result = testing_support::apply_edits(loaded, state);
    EXPECT_TRUE(result.succeeded()) << problems_text(result);
    EXPECT_TRUE(result.applied.permissions);
    const std::string after = dir.read("basic-project\\AndroidManifest.xml");
    EXPECT_NE(after.find("com.android.launcher.permission.INSTALL_SHORTCUT"), std::string::npos);
    EXPECT_NE(after.find("<!-- location -->"), std::string::npos);
    EXPECT_NE(after.find("<!-- <uses-permission android:name=\"android.permission.ACCESS_MOCK"),
              std::string::npos);
    EXPECT_EQ(granted_permissions(after), state.saved_permissions);
    EXPECT_EQ(load_project_files(project).permissions, state.saved_permissions);
    // The second apply finds nothing to do.
    const apply_result again = testing_support::apply_edits(loaded, state);
    EXPECT_FALSE(again.manifest_changed);
    EXPECT_EQ(dir.read("basic-project\\AndroidManifest.xml"), after);
}

namespace {

// The comments of a text, found without the scanner the code uses.
std::vector<std::string> comments(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t at = 0; (at = text.find("<!--", at)) != std::string::npos;) {
        const std::size_t end = text.find("-->", at + 4);
        out.push_back(text.substr(at, end == std::string::npos ? end : end + 3 - at));
        if (end == std::string::npos) break;
        at = end + 3;
    }
    return out;
}

using testing_support::kept_by_permission_regeneration;

}  // namespace

TEST(ApplyPermissions, RegenerationInvariantsOnInputsThatBrokeThem) {
    const std::string cases[] = {
        testing_support::regression("permissions-in-comment.xml"),
        testing_support::regression("permissions-residue.xml"),
        testing_support::regression("permissions-twice.xml"),
        testing_support::regression("permission-in-attribute.xml"),
        testing_support::regression("permissions-after-comment.xml"),
        testing_support::regression("apply-marker-versionname.xml"),
        // A broken start tag that the removal of the element after it would have closed.
        testing_support::regression("permissions-tag-closed-by-removal.xml"),
    };
    for (const std::string& manifest : cases) {
        ASSERT_FALSE(manifest.empty());
        // The current choice changes nothing.
        EXPECT_EQ(manifest_with_permissions(manifest, granted_permissions(manifest)), manifest);
        permission_flags flipped = granted_permissions(manifest);
        flipped[10] = !flipped[10];  // BLUETOOTH_ADMIN
        for (const permission_flags& choice :
             {flags({kInternet}), flags({kWrite, kCamera, 20}), permission_flags{}, flipped}) {
            bool placed = false;
            const std::string once = manifest_with_permissions(manifest, choice, &placed);
            EXPECT_EQ(manifest_with_permissions(once, choice), once);
            EXPECT_EQ(comments(once), comments(manifest));
            EXPECT_EQ(kept_by_permission_regeneration(once),
                      kept_by_permission_regeneration(manifest));
            if (placed) {
                EXPECT_EQ(granted_permissions(once), choice);
            }
            if (!placed) {
                EXPECT_EQ(once, manifest);
            }
        }
    }
}

TEST(ApplyPermissions, OnlyUsesPermissionElementsGrant) {
    const std::string manifest = testing_support::regression("permission-in-attribute.xml");
    EXPECT_EQ(granted_permissions(manifest), flags({kInternet}));
    const std::string with_camera =
        manifest_with_permissions(manifest, flags({kInternet, kCamera}));
    EXPECT_EQ(granted_permissions(with_camera), flags({kInternet, kCamera}));
    EXPECT_EQ(with_camera.find("<uses-permission android:name=\"android.permission.CALL_PHONE"),
              std::string::npos);
    const std::string none = manifest_with_permissions(manifest, permission_flags{});
    EXPECT_EQ(granted_permissions(none), permission_flags{});
    EXPECT_NE(none.find("android:permission=\"android.permission.CALL_PHONE\""), std::string::npos);
}

TEST(ApplyPermissions, BlockAfterTheStartTagNeverLandsInACommentOrInTheTag) {
    const std::string after_comment = testing_support::regression("permissions-after-comment.xml");
    const std::string multi_line_tag =
        "<manifest xmlns:android=\"http://schemas.android.com/apk/res/android\"\n"
        "    package=\"a.b\"\n    android:versionName=\"2.0 >beta\">\n"
        "    <application android:label=\"App\" />\n</manifest>\n";
    EXPECT_EQ(manifest_with_permissions(multi_line_tag, flags({kInternet})),
              "<manifest xmlns:android=\"http://schemas.android.com/apk/res/android\"\n"
              "    package=\"a.b\"\n    android:versionName=\"2.0 >beta\">\n" +
                  line(kInternet) + "    <application android:label=\"App\" />\n</manifest>\n");
    const std::string placed = manifest_with_permissions(after_comment, flags({kInternet}));
    EXPECT_EQ(placed,
              "<manifest package=\"com.example.app\"> <!-- the app's manifest,\n"
              "     kept as written -->\n" +
                  line(kInternet) + "    <application android:label=\"App\" />\n</manifest>\n");
    EXPECT_EQ(granted_permissions(placed), flags({kInternet}));
}
