#include "core/device/adb_install.h"

#include "core/device/tool_output.h"
#include "core/text/text_helpers.h"

namespace device {

namespace {

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The failure's code: "INSTALL_FAILED_OLDER_SDK" of "Failure [INSTALL_FAILED_OLDER_SDK: ...]".
std::string_view failure_code(std::string_view failure) {
    std::string_view inside = failure.substr(failure.find('[') + 1);
    const std::size_t end = inside.find_first_of(":]");
    return trimmed(inside.substr(0, end));
}

install_outcome outcome_of_code(std::string_view code) {
    struct known {
        std::string_view code;
        install_outcome outcome;
    };
    static constexpr known kKnown[] = {
        {"INSTALL_FAILED_UPDATE_INCOMPATIBLE", install_outcome::update_incompatible},
        {"INSTALL_FAILED_DEPRECATED_SDK_VERSION", install_outcome::deprecated_sdk},
        {"INSTALL_FAILED_VERSION_DOWNGRADE", install_outcome::version_downgrade},
        {"INSTALL_FAILED_INSUFFICIENT_STORAGE", install_outcome::insufficient_storage},
        {"INSTALL_FAILED_OLDER_SDK", install_outcome::older_sdk},
    };
    for (const known& k : kKnown)
        if (code == k.code) return k.outcome;
    return install_outcome::other_failure;
}

}  // namespace

install_answer read_install_answer(std::string_view output) {
    install_answer answer;
    answer.output = text::trim_spaces(std::string(output));
    while (!answer.output.empty() && (answer.output.back() == '\r' || answer.output.back() == '\n'))
        answer.output.pop_back();
    for (std::string_view raw : output_lines(output)) {
        const std::string_view line = trimmed(raw);
        const std::size_t at = line.find("Failure [");
        if (at != std::string_view::npos) {
            std::string_view failure = line.substr(at);
            const std::size_t close = failure.rfind(']');
            if (close != std::string_view::npos) failure = failure.substr(0, close + 1);
            answer.failure = std::string(failure);
            answer.outcome = outcome_of_code(failure_code(failure));
            return answer;
        }
        if (line == "Success") answer.outcome = install_outcome::success;
    }
    if (answer.outcome == install_outcome::success) return answer;
    // adb's own complaints, before the phone was reached.
    if (contains(output, "unauthorized")) {
        answer.outcome = install_outcome::unauthorized;
    } else if (contains(output, "device offline")) {
        answer.outcome = install_outcome::offline;
    } else if ((contains(output, "not found") && contains(output, "device")) ||
               contains(output, "no devices/emulators found")) {
        answer.outcome = install_outcome::device_missing;
    }
    return answer;
}

bool app_started(std::string_view output) {
    if (contains(output, "monkey aborted") || contains(output, "No activities found") ||
        contains(output, "Error") || contains(output, "error:"))
        return false;
    return contains(output, "Events injected: 1");
}

}  // namespace device
