#pragma once

#include <string>
#include <string_view>

#include "core/document/menu_tree.h"

namespace corvantel::project {

// The path of a project's menu data file: the settings file's path with the extension of its file name
// (from the name's last dot on; dots in folder names do not count) replaced by ".cvd", or ".cvd" added
// to a file name without a dot.
std::string menuDataPath(const std::string& settingsPath);

// The bytes of the menu data file of `tree` (see the form described in menu_data_file.cpp).
std::string menuDataBytes(const document::MenuTree& tree);

// Appends the items of menu data text (UTF-8) to the empty tree `into`. A line more than one level
// deeper than the line before stops the reading with the error
//   Invalid level (<level>) for item "<text>" in line <n> of <source>
// (" of <source>" only when `source` is given; the item's tabs shown as blanks); the items read before
// it stay in `into`.
void readMenuData(std::string_view text, document::MenuTree& into, const std::string& source = std::string());

// The same from the bytes of a menu data file: UTF-8, or Windows-1252 when they are not valid UTF-8.
void readMenuDataBytes(std::string_view bytes, document::MenuTree& into, const std::string& source = std::string());

// Reads the menu data file at `path` (UTF-8, or Windows-1252 when it is not valid UTF-8) into the empty
// tree `into`. Throws corvantel::Error("Cannot open file <path>") when it cannot be read (missing, not a
// regular file, no permission), and the invalid-level error naming `path`.
void readMenuDataFile(const std::string& path, document::MenuTree& into);

// Writes the menu data file of `tree` to `path`, replacing it atomically. Throws
// corvantel::Error("Cannot create file <path>").
void writeMenuDataFile(const std::string& path, const document::MenuTree& tree);

}  // namespace corvantel::project
