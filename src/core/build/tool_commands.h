#pragma once
// The command lines that run the build tools through the command runner. Ordinary values
// appear exactly as typed; values with characters that cmd.exe would act on are quoted and
// escaped, and a password of that kind reaches apksigner through an environment variable.
#include <string>
#include <string_view>
#include <vector>

#include "core/build/command_runner_text.h"

namespace build {

// The name of the throw-away keystore copy that the alias check renames a key in.
inline constexpr std::string_view kAliasCheckKeystore = "tmpkeystore";
// The variable that carries a password apksigner cannot take on its command line.
inline constexpr std::string_view kPasswordVariable = "VEXLO_KS_PASS";

// One command line plus the variables the runner sets just before it.
struct batch_command {
    std::string line;
    std::vector<batch_variable> variables;
};

// "keytool -changealias ..." on the throw-away copy; its output contains "tampered with" when
// the password does not open the keystore. Run without "call".
std::string changealias_command(std::string_view alias, std::string_view password,
                                std::string_view keystore_copy = kAliasCheckKeystore);
// "call zipalign -p -f -v 4 unsigned.apk aligned.apk".
std::string zipalign_command();
// "call apksigner sign ..." signing aligned.apk into signed.apk with cert.jks.
batch_command apksigner_command(std::string_view alias, std::string_view password);
// "call apksigner verify --verbose --print-certs signed.apk": proves the signature just made.
std::string apksigner_verify_command();
// "call android update project --name NAME --target ID --path .".
std::string update_project_command(std::string_view project_name, int target_id);

// The message that refuses an alias or password which cannot be handed to the tools intact,
// or "" when both can: neither may hold a double quote or a control character, and the alias,
// which apksigner gets on a "call" line, no caret and no percent sign either. Carriage returns
// separate the lines of the message.
std::string signing_values_problem(std::string_view alias, std::string_view password);

}  // namespace build
