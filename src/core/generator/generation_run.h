#pragma once

#include <string>
#include <vector>

#include "core/document/document.h"

namespace corvantel::generator {

// The support files of the menu script, copied from the program's data folder in this order.
const std::vector<std::string>& supportFileNames();

// What a generation run did.
struct GenerationReport {
  std::vector<std::string> written;    // full paths, in the order they were written
  std::vector<std::string> notCopied;  // names of the support files that could not be copied
  std::string failed;                  // after an error: the full path of the file being written
  std::string encodingWarning;         // set when the project's encoding was replaced by one browsers read
};

// Writes menu.html and hierArrays.js from the document into `outputFolder`, then copies the support files
// from `programFolder` + "data/". Both generated files are made before either is written, and each replaces
// its old file atomically. A failure to write either throws corvantel::Error and ends the run; a support file
// that cannot be copied does not stop it: every copy is attempted and the misses are reported.
// The document is not changed.
GenerationReport generateFiles(const document::Document& document, const std::string& outputFolder,
                               const std::string& programFolder);
// The same, filling `report` as it goes, so that after an error it still lists what was written.
void generateFiles(const document::Document& document, const std::string& outputFolder,
                   const std::string& programFolder, GenerationReport& report);

// The warning after a run that could not copy some support files; empty when all were copied.
std::string notCopiedWarning(const GenerationReport& report, const std::string& programFolder);

}  // namespace corvantel::generator
