#pragma once

#include <string>

namespace corvantel::generator {

// The headless generator behind `corvantel --generate OUTPUT-FOLDER PROJECT.cvp`: reads the project, writes
// the generated folder into OUTPUT-FOLDER (which must exist), prints one line per file written and returns
// 0. On an error, or when support files could not be copied, it prints the text to standard error and
// returns 1.
int runGenerateCommand(const std::string& outputFolder, const std::string& projectFile,
                       const std::string& programFolder);

}  // namespace corvantel::generator
