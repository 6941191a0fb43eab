#pragma once

#include <string>
#include <string_view>

namespace corvantel::io {

// Text of a file the program reads (project files, language files, the program settings file): bytes
// that are valid UTF-8 are taken as they are (a leading byte-order mark is dropped); anything else is
// read as Windows-1252, the code page older copies of the program wrote.
std::string decodeFileText(std::string bytes);

// Windows-1252 bytes to UTF-8 (the five unassigned codes map to the C1 controls of the same value).
std::string windows1252ToUtf8(std::string_view bytes);

}  // namespace corvantel::io
