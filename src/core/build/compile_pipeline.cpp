#include "core/build/compile_pipeline.h"

#include "core/assets/file_tree.h"
#include "core/build/build_names.h"
#include "core/build/compile_batch_text.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace build {
namespace {

constexpr const char* kAntLog = "ant_log.txt";

bool same_file(const std::string& a, const std::string& b) {
    return text::iequals_ascii(a, b);
}

// The files a compile puts into the project for Ant and must take out again. A keystore that
// already lies in the project folder under its own name is the user's file: it is neither
// replaced nor removed.
class project_copies {
public:
    explicit project_copies(const build_inputs& inputs)
        : properties_(inputs.project_folder + "ant.properties"),
          keystore_(inputs.project_folder + file_name_of(inputs.identity.keystore_file)),
          keystore_is_users_(same_file(keystore_, inputs.identity.keystore_file)) {}

    // False when the project folder refused a copy. A source that has gone is no reason to
    // stop: Ant then builds an unsigned APK, which the outcome reports.
    bool place(const build_inputs& inputs) {
        platform::remove_file(properties_);
        bool ok = copy_if_there(inputs.ant_properties_source, properties_);
        if (!keystore_is_users_) {
            platform::remove_file(keystore_);
            ok = copy_if_there(inputs.identity.keystore_file, keystore_) && ok;
        }
        return ok;
    }
    void remove() {
        if (!keystore_is_users_) platform::remove_file(keystore_);
        platform::remove_file(properties_);
    }

private:
    static bool copy_if_there(const std::string& from, const std::string& to) {
        return !platform::file_exists(from) || platform::copy_file(from, to);
    }

    std::string properties_;
    std::string keystore_;
    bool keystore_is_users_;
};

build_result result_of_failed_run(run_status status) {
    switch (status) {
        case run_status::cannot_write: return result_cannot_write;
        case run_status::cannot_start: return result_cannot_start;
        case run_status::cannot_encode: return result_cannot_encode;
        default: return result_cancelled;
    }
}

// Runs one tool unless the build was cancelled; false when the build must stop here.
bool run_step(build_host& host, const batch_command& command, const std::string& folder,
              run_status& status, run_outcome* answer = nullptr) {
    if (host.cancelled()) {
        status = run_status::cancelled;
        return false;
    }
    run_outcome outcome = host.run(command, folder);
    status = outcome.status;
    if (answer) *answer = std::move(outcome);
    if (status == run_status::finished && host.cancelled()) status = run_status::cancelled;
    return status == run_status::finished;
}

batch_command plain(std::string line) {
    return batch_command{std::move(line), {}};
}

}  // namespace

std::string in_app_apk_name(const build_inputs& inputs) {
    return apk_file_name(inputs.app_name, inputs.version_code);
}

std::string final_apk_path(const build_inputs& inputs) {
    return inputs.project_folder + in_app_apk_name(inputs);
}

std::string work_folder(const build_inputs& inputs) {
    return inputs.project_folder + ".avlo\\";
}

std::string apk_to_select(const build_inputs& inputs) {
    for (const std::string& apk : {final_apk_path(inputs), work_folder(inputs) + "signed.apk",
                                   work_folder(inputs) + "unsigned.apk"})
        if (platform::file_exists(apk)) return apk;
    return inputs.project_folder;
}

run_status sign_apk(const build_inputs& inputs, build_host& host, apk_verification* verification) {
    const std::string avlo = work_folder(inputs);
    const std::string certificate = avlo + "cert.jks";
    run_status status = run_status::finished;
    host.show_step(build_step::signing);
    if (!run_step(host, plain(zipalign_command()), avlo, status)) return status;
    platform::remove_file(certificate);
    platform::remove_file(avlo + "signed.apk");  // an earlier build's must not pass for this one
    platform::remove_file(avlo + kVerifyLog);
    platform::copy_file(inputs.identity.keystore_file, certificate);
    const bool signed_ok = run_step(
        host, apksigner_command(inputs.identity.alias, inputs.identity.password), avlo, status);
    platform::remove_file(avlo + "aligned.apk");
    platform::remove_file(certificate);
    if (!signed_ok) return status;
    const std::string final_apk = final_apk_path(inputs);
    platform::remove_file(final_apk);
    if (!platform::file_exists(avlo + "signed.apk")) return run_status::finished;
    // The signature is proven, not assumed: an APK the verifier refuses stays in the work folder.
    run_outcome answer;
    if (!run_step(host, plain(apksigner_verify_command()), avlo, status, &answer)) return status;
    platform::write_file(avlo + kVerifyLog, answer.text);
    const apk_verification verified = read_apk_verification(answer.text);
    if (verification) *verification = verified;
    if (!verified.verifies) return run_status::finished;
    platform::copy_file(avlo + "signed.apk", final_apk);
    platform::remove_file(avlo + "signed.apk");
    return run_status::finished;
}

build_result compile_project(const build_inputs& inputs, build_host& host,
                             apk_verification* verification) {
    const std::string& folder = inputs.project_folder;
    const std::string project_name = ant_project_name(inputs.package_name);
    const std::string final_apk = final_apk_path(inputs);
    const std::string apk_name = in_app_apk_name(inputs);

    host.show_step(build_step::compile_started);
    project_copies copies(inputs);
    // Whatever stops the build, the password-bearing copies leave the project with it.
    auto stop = [&copies](build_result result) {
        copies.remove();
        return result;
    };
    if (host.cancelled()) return stop(result_cancelled);
    if (!copies.place(inputs)) return stop(result_cannot_write);
    platform::remove_file(final_apk);
    platform::remove_file(folder + apk_name.substr(0, apk_name.size() - 4) + "-unsigned.apk");

    run_status status = run_status::finished;
    host.show_step(build_step::updating);
    if (!run_step(host, plain(update_project_command(project_name, inputs.api_target_id)), folder,
                  status))
        return stop(result_of_failed_run(status));
    host.show_step(build_step::cleaning);
    if (!run_step(host, plain("call ant clean"), folder, status))
        return stop(result_of_failed_run(status));
    host.show_step(build_step::compiling);
    // A log left by an earlier build must not be reported as this build's failure.
    platform::remove_file(folder + kAntLog);
    if (!run_step(host, plain("call ant release -logfile ant_log.txt"), folder, status))
        return stop(result_of_failed_run(status));

    const std::string avlo = work_folder(inputs);
    platform::make_directories(avlo);
    build_result result = result_no_apk;
    for (const char* suffix : {"-release.apk", "-release-unsigned.apk"}) {
        const std::string ant_apk = folder + "bin\\" + project_name + suffix;
        if (!platform::file_exists(ant_apk)) continue;
        platform::remove_file(avlo + "unsigned.apk");
        platform::copy_file(ant_apk, avlo + "unsigned.apk");
        const run_status signing = sign_apk(inputs, host, verification);
        if (signing != run_status::finished) return stop(result_of_failed_run(signing));
        result =
            platform::file_exists(avlo + "signed.apk") ? result_unverified : result_unsigned_only;
        break;
    }
    if (platform::file_exists(final_apk)) result = result_signed;

    host.show_step(build_step::cleaning);
    if (!run_step(host, plain("call ant clean"), folder, status))
        return stop(result_of_failed_run(status));
    copies.remove();
    if (result == result_signed) assets::delete_folder_tree(avlo);
    return result;
}

build_result clean_project(const build_inputs& inputs, build_host& host) {
    const std::string& folder = inputs.project_folder;
    run_status status = run_status::finished;
    host.show_step(build_step::clean_started);
    if (!run_step(host,
                  plain(update_project_command(ant_project_name(inputs.package_name),
                                               inputs.api_target_id)),
                  folder, status))
        return result_of_failed_run(status);
    if (!run_step(host, plain("call ant clean"), folder, status))
        return result_of_failed_run(status);
    return result_signed;
}

}  // namespace build
