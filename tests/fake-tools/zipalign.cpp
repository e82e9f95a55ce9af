// Stand-in for the build tools' zipalign: "zipalign [-p] [-f] [-v] 4 IN OUT" copies IN to OUT.
#include "fake_tool_support.h"

int main() {
    const std::vector<std::string> args = fake::arguments();
    fake::delay_from_knob("zipalign_delay_ms");
    std::vector<std::string> files;
    for (const std::string& a : args)
        if (a.empty() || a[0] != '-') files.push_back(a);
    if (files.size() != 3) {
        fake::print(
            "Zip alignment utility\r\nUsage: zipalign [-f] [-p] [-v] <align> infile.zip "
            "outfile.zip\r\n");
        return 2;
    }
    const std::string in = fake::full_path(files[1]);
    const std::string out = fake::full_path(files[2]);
    if (!platform::file_exists(in)) {
        fake::print("Unable to open '" + files[1] + "' as zip archive\r\n");
        return 1;
    }
    if (platform::file_exists(out) && !fake::has(args, "-f")) {
        fake::print("Output file '" + files[2] + "' exists\r\n");
        return 1;
    }
    if (!platform::copy_file(in, out)) {
        fake::print("Unable to open '" + files[2] + "' as zip archive\r\n");
        return 1;
    }
    fake::print("Verifying alignment of " + files[2] + " (4)...\r\nVerification succesful\r\n");
    return 0;
}
