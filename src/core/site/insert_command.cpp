#include "core/site/insert_command.h"

#include <cstdio>
#include <exception>

#include "core/document/document.h"
#include "core/error.h"
#include "core/io/file_io.h"
#include "core/project/project_files.h"
#include "core/project/settings_file.h"
#include "core/site/page_insertion.h"

namespace corvantel::site {

int runInsertCommand(const std::string& projectFile, const std::vector<std::string>& pages,
                     const std::string& programFolder) {
  try {
    document::Document document;
    project::openProjectFiles(document, projectFile);
    if (document.settings().siteFolder.empty()) {
      throw Error(fillMessage("The project %s has no site folder; set one in its settings first", projectFile));
    }
    const std::string siteFolder = project::siteFolderPath(document.settings(), projectFile);
    if (!io::directoryExists(siteFolder)) throw Error(fillMessage("The site folder %s does not exist", siteFolder));

    const InsertionReport report = insertMenu(document, siteFolder, pages, programFolder);
    for (const std::string& path : report.supportWritten) std::printf("%s\n", path.c_str());
    for (const std::string& name : report.changed) std::printf("changed: %s\n", name.c_str());
    for (const std::string& name : report.unchanged) std::printf("unchanged: %s\n", name.c_str());
    std::fflush(stdout);
    for (const std::string& failure : report.failed) std::fprintf(stderr, "corvantel: %s\n", failure.c_str());
    for (const std::string& name : report.notCopied) {
      std::fprintf(stderr, "corvantel: %s could not be copied into the site folder\n", name.c_str());
    }
    return report.failed.empty() && report.notCopied.empty() ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "corvantel: %s\n", errorBoxText(e.what()).c_str());
    return 1;
  }
}

}  // namespace corvantel::site
