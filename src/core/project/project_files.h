#pragma once

#include <string>

#include "core/document/document.h"

namespace corvantel::project {

// Writes the project: the settings into the settings file `path` (section "Settings", other sections and
// keys of an existing file kept) and the tree into the menu data file beside it. Both files are replaced
// atomically; when the menu data file cannot be written, the settings file is put back as it was, so a
// failed save leaves the previous project on disk. Throws corvantel::Error with "Unable to write to
// <settings path>" or "Cannot create file <menu data path>". Changes nothing in the document.
void saveProjectFiles(const document::Document& document, const std::string& path);

// Reads the project whose settings file is `path` into the document: the settings (a missing file gives
// the defaults), then ProjectFileName := path, then the tree from the menu data file, read into a separate
// tree that replaces the document's tree. Throws corvantel::Error("Cannot open file <menu data path>")
// with the document's tree untouched, or the invalid-level error with the items before it in the tree.
// Does not change the modified flag.
void openProjectFiles(document::Document& document, const std::string& path);

}  // namespace corvantel::project
