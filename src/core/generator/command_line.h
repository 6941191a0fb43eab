#pragma once

#include <string>

namespace corvantel::generator {

// The headless generator behind `corvantel --generate OUTPUT-FOLDER PROJECT.cvp`: reads the project, writes
// the generated folder into OUTPUT-FOLDER (which must exist), prints one line per file written and returns
// 0. On an error, or when support files could not be copied, it prints the files it did write, then the
// text to standard error (a write error prefixed with the path of the file, "<path>: File access denied."),
// and returns 1. A project that cannot be read in full (an unreadable settings file, a missing or broken
// menu data file) is an error.
int runGenerateCommand(const std::string& outputFolder, const std::string& projectFile,
                       const std::string& programFolder);

}  // namespace corvantel::generator
