#include "core/build/compile_runner_status.h"

#include "core/build/command_runner_text.h"

namespace build {

std::string_view status_word(run_status status) {
    switch (status) {
        case run_status::cannot_write:
        case run_status::cannot_encode: return kResultErrorWriting;
        case run_status::cannot_start: return kResultErrorStarting;
        case run_status::cancelled: return kResultCancelled;
        case run_status::finished: break;
    }
    return "";
}

}  // namespace build
