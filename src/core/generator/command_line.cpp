// The headless generator: `corvantel --generate OUTPUT-FOLDER PROJECT.cvp`.
#include "core/generator/command_line.h"

#include <cstdio>
#include <exception>

#include "core/document/document.h"
#include "core/error.h"
#include "core/generator/generation_run.h"
#include "core/io/file_io.h"
#include "core/project/project_files.h"
#include "core/project/settings_file.h"
#include "core/site/link_check.h"

namespace corvantel::generator {

namespace {

void printWritten(const GenerationReport& report) {
  for (const std::string& path : report.written) std::printf("%s\n", path.c_str());
  std::fflush(stdout);
}

}  // namespace

int runGenerateCommand(const std::string& outputFolder, const std::string& projectFile,
                       const std::string& programFolder) {
  GenerationReport report;
  try {
    if (!io::directoryExists(outputFolder)) {
      throw Error(fillMessage("The output folder %s does not exist", outputFolder));
    }
    // All or nothing: a project that cannot be read in full is not generated from.
    document::Document document;
    project::openProjectFiles(document, projectFile);
    generateFiles(document, outputFolder, programFolder, report);
    printWritten(report);
    if (!report.encodingWarning.empty()) {
      std::fprintf(stderr, "corvantel: warning: %s\n", report.encodingWarning.c_str());
    }
    site::printBrokenLinkWarnings(document.tree(), project::siteFolderPath(document.settings(), projectFile));
    const std::string warning = notCopiedWarning(report, programFolder);
    if (!warning.empty()) {
      std::fprintf(stderr, "corvantel: %s\n", warning.c_str());
      return 1;
    }
    return 0;
  } catch (const std::exception& e) {
    // What was written before the failure is listed, and a message that does not name the file it is
    // about ("File access denied") gets the file's path in front.
    printWritten(report);
    std::string message = e.what();
    if (!report.failed.empty() && message.find(report.failed) == std::string::npos) {
      message = report.failed + ": " + message;
    }
    std::fprintf(stderr, "corvantel: %s\n", errorBoxText(message).c_str());
    return 1;
  }
}

}  // namespace corvantel::generator
