// The headless generator: `corvantel --generate OUTPUT-FOLDER PROJECT.cvp`.
#include "core/generator/command_line.h"

#include <cstdio>
#include <exception>

#include "core/document/document.h"
#include "core/error.h"
#include "core/generator/generation_run.h"
#include "core/io/file_io.h"
#include "core/project/project_files.h"

int runGenerateCommand(const std::string& outputFolder, const std::string& projectFile,
                       const std::string& programFolder) {
  using namespace corvantel;
  try {
    if (!io::directoryExists(outputFolder)) {
      throw Error(fillMessage("The output folder %s does not exist", outputFolder));
    }
    Document document;
    document.resetToNewProject();
    project::Opener(document, projectFile);
    const GenerationReport report = generateFiles(document, outputFolder, programFolder);
    for (const std::string& path : report.written) std::printf("%s\n", path.c_str());
    std::fflush(stdout);
    if (!report.encodingWarning.empty()) {
      std::fprintf(stderr, "corvantel: warning: %s\n", report.encodingWarning.c_str());
    }
    const std::string warning = notCopiedWarning(report, programFolder);
    if (!warning.empty()) {
      std::fprintf(stderr, "corvantel: %s\n", warning.c_str());
      return 1;
    }
    return 0;
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "corvantel: %s\n", errorBoxText(e.what()).c_str());
    return 1;
  }
}
