#pragma once
// The in-app compile and clean: which tools run in which order, which files are copied in
// and out of the project, and what the files left behind say about the outcome. The tools
// themselves are run by the host (through the command runner), which also shows the steps.
#include <string>

#include "core/build/apk_verification.h"
#include "core/build/compile_runner_status.h"
#include "core/build/tool_commands.h"

namespace build {

// The steps a build shows in its progress dialog.
enum class build_step { compile_started, updating, cleaning, compiling, signing, clean_started };

// What a build ended with. 0 to 3 are the progress dialog's long-standing codes; 4 to 6 say
// why no tool could do its work at all.
enum build_result : int {
    result_cancelled = 0,
    result_signed = 1,  // compile: the signed APK is at final_apk_path; clean: the clean ran
    result_unsigned_only = 2,
    result_no_apk = 3,
    result_cannot_write = 4,   // the project folder could not be written
    result_cannot_start = 5,   // the command interpreter could not be started
    result_cannot_encode = 6,  // a path the tools need cannot be written into a batch file
    result_unverified = 7,     // signed, but the verifier refuses the APK: it stays in .avlo
};

// The verifier's whole answer, kept in the work folder for the user.
inline constexpr const char* kVerifyLog = "verify_log.txt";

struct signing_identity {
    std::string keystore_file;
    std::string alias;
    std::string password;
};

// Everything a build reads, copied before the worker starts so that it shares nothing.
struct build_inputs {
    std::string project_folder;  // with its trailing backslash
    std::string app_name;
    std::string package_name;
    std::string version_code;
    int api_target_id = 0;
    signing_identity identity;
    std::string ant_properties_source;  // the TEMP folder's vexlo.ant.properties
};

// The outside world of a build.
class build_host {
public:
    virtual ~build_host() = default;
    // Runs one command line (captured) in the folder.
    virtual run_outcome run(const batch_command& command, const std::string& folder) = 0;
    virtual void show_step(build_step step) = 0;
    virtual bool cancelled() const = 0;
};

// The in-app APK name (app name and version code) and where the signed APK lands.
std::string in_app_apk_name(const build_inputs& inputs);
std::string final_apk_path(const build_inputs& inputs);
// The APK Explorer shows after a build: the signed one, or else the one the work folder keeps
// (signed but refused by the verifier, or unsigned); the project folder when none exists.
std::string apk_to_select(const build_inputs& inputs);
// The project's work folder ".avlo" with its trailing backslash.
std::string work_folder(const build_inputs& inputs);

// Updates, cleans and builds the project, signs Ant's APK, has the signature verified and
// cleans up after itself. What the verifier said goes to `verification` when given.
build_result compile_project(const build_inputs& inputs, build_host& host,
                             apk_verification* verification = nullptr);
// Updates and cleans the project.
build_result clean_project(const build_inputs& inputs, build_host& host);
// Aligns ".avlo\unsigned.apk", signs it and has the signature verified; only an APK that
// verifies reaches final_apk_path (one that does not stays as ".avlo\signed.apk"). A failure
// leaves no APK there. Gives the status of the first run that did not finish, or finished.
run_status sign_apk(const build_inputs& inputs, build_host& host,
                    apk_verification* verification = nullptr);

}  // namespace build
