#pragma once

#include <string>

#include "core/document/document.h"

namespace corvantel::project {

// Writes the project: the settings into the settings file `path` (section "Settings", other sections and
// keys of an existing file kept) and the tree into the menu data file beside it. Both files are replaced
// atomically; when the menu data file cannot be written, the settings file is put back as it was, so a
// failed save leaves the previous project on disk. Throws corvantel::Error with "Unable to write to
// <settings path>" or "Cannot create file <menu data path>". Changes nothing in the document. The site
// folder is written relative to the folder of `path`, so a save into another folder still names it.
void saveProjectFiles(const document::Document& document, const std::string& path);

// A project as read from its two files, not yet in any document.
struct ProjectContents {
  document::ProjectSettings settings;
  document::MenuTree tree;
};

// Reads the project whose settings file is `path` into `into` (whose tree must be empty): the settings,
// then the tree from the menu data file. A settings file that does not exist gives the defaults when the
// menu data file is there. The site folder comes back as a full path. Throws corvantel::Error, leaving `into` to be thrown away, with
//   "Cannot open file <path>"            the settings file exists but cannot be read, or neither file
//                                        exists (what is missing is then the project the caller named);
//   "Cannot open file <menu data path>"  the menu data file is missing or cannot be read;
//   the invalid-level error of readMenuDataFile, naming the menu data file and the line.
// No read can wait on a named pipe or a device: those count as files that cannot be read.
void readProject(const std::string& path, ProjectContents& into);

// Opens the project whose settings file is `path` in `document`, all or nothing: the project is read
// with readProject, and only when the whole read succeeded do its settings and tree replace the
// document's and ProjectFileName become `path`. On any error the document keeps its tree, settings, file
// name and modified flag exactly as they were. The modified flag is not changed on success either. An
// edit history over the document must be cleared after a successful open (its items are gone).
void openProjectFiles(document::Document& document, const std::string& path);

}  // namespace corvantel::project
