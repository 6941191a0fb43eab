#pragma once

#include <string>
#include <string_view>

#include "core/io/file_io.h"

namespace corvantel::io {

// The path as the folder browser's status line shows it, at most `maxChars` characters (UTF-8 characters,
// not bytes): leading folders are replaced by "..." after the first one, so that
// "C:\Program Files\Some Vendor\Product Name\Data\Output" becomes "C:\...\Some Vendor\Product Name\Data\Output";
// a path without enough separators is cut off at `maxChars`. The leading separators of an absolute path
// (one) or of a network path (two) stay in front of the first folder name. `separator` is the platform's
// ('/' here, '\\' for Windows-style paths).
std::string shortenPath(std::string_view path, int maxChars, char separator = io::kPathSeparator);

}  // namespace corvantel::io
