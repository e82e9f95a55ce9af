// Stand-in for the JDK's javac: checks the named .java files (and every .java file below the
// folders named with -sourcepath) with the stand-in compiler's rule.
#include "fake_javac.h"
#include "fake_tool_support.h"

int main() {
    const std::vector<std::string> args = fake::arguments();
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-version") {
            fake::print("javac 1.8.0_fake\r\n");
            return 0;
        }
        if (args[i] == "-d" || args[i] == "-classpath" || args[i] == "-cp") {
            ++i;
        } else if (args[i] == "-sourcepath" && i + 1 < args.size()) {
            fake::add_sources(fake::full_path(args[++i]), files);
        } else if (args[i].size() > 5 && args[i].substr(args[i].size() - 5) == ".java") {
            files.push_back(fake::full_path(args[i]));
        }
    }
    const fake::javac_result result = fake::compile_sources(files);
    fake::print(result.output);
    return result.errors ? 1 : 0;
}
