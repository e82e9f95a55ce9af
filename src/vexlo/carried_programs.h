#pragma once
// The programs Vexlo.exe carries inside itself as data resources (the report viewer, and an
// editor when the build includes one), written out beside it when missing.
#include <string>

namespace vexlo {

// Writes the raw bytes of the data resource (RT_RCDATA) to the file, replacing it; 0 when the
// resource is missing or the file cannot be written, else 1.
int extract_resource(const std::string& resource_name, const std::string& file_path);

// The program file in the program folder, written from its resource when missing; "" when it
// is missing and cannot be written.
std::string carried_program(const std::string& file_name, const std::string& resource_name);

}  // namespace vexlo
