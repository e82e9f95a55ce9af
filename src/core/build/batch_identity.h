#pragma once
// Reads back from an existing BuildAPK.bat which Ant properties file and which keystore the
// project was set up with.
#include <string>
#include <string_view>

namespace build {

struct batch_identity {
    bool found = false;  // both "copy" lines were there
    std::string ant_properties_file;
    std::string keystore_file;
};

// After the JAVA_HOME line, the first "copy" line names the Ant properties file and the next
// one the keystore: each path is the quoted text after "copy ", or the text up to the next
// space when it is bare. Doubled "%" signs are read back as one.
batch_identity read_batch_identity(std::string_view batch_text);

}  // namespace build
