#include "core/site/import_command.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string_view>

#include "core/document/document.h"
#include "core/error.h"
#include "core/io/ascii.h"
#include "core/io/file_io.h"
#include "core/project/project_files.h"
#include "core/project/settings_file.h"
#include "core/site/link_check.h"
#include "core/site/navigation_import.h"

namespace corvantel::site {

namespace {

bool endsWithCvp(std::string_view name) {
  return name.size() > 4 && io::equalsIgnoringAsciiCase(name.substr(name.size() - 4), ".cvp");
}

std::string folderOf(const std::string& path) {
  const std::string parent = std::filesystem::path(path).parent_path().string();
  return parent.empty() ? std::string(".") : parent;
}

void printSkipped(const ImportReport& report) {
  const auto line = [](std::size_t count, const char* what) {
    if (count > 0) std::printf("skipped: %zu %s\n", count, what);
  };
  line(report.emptyEntries, report.source == ImportReport::Source::Sitemap ? "entries without an address"
                                                                           : "entries without text or link");
  line(report.extraLinks, "links outside the lists or second links of an entry");
  line(report.duplicates, "addresses listed twice");
  if (report.shortened > 0) std::printf("shortened: %zu captions over 200 characters\n", report.shortened);
}

}  // namespace

int runImportCommand(const std::string& pageFile, const std::string& projectFile) {
  try {
    // The project's name decides where its menu data goes; a page given twice, or any other file named
    // as the project, would be overwritten by settings.
    if (!endsWithCvp(projectFile)) {
      throw Error(fillMessage("The project %s must be a settings file ending in .cvp", projectFile));
    }
    document::Document document;
    ImportReport report;
    importFile(pageFile, document.tree(), report);

    const bool existing = io::fileExists(projectFile);
    document::ProjectSettings settings = document.settings();
    if (existing) {
      settings = project::readSettingsFile(projectFile);
      settings.siteFolder = project::siteFolderPath(settings, projectFile);
    }
    const bool siteFolderSet = settings.siteFolder.empty();
    if (siteFolderSet) settings.siteFolder = project::storedSiteFolder(folderOf(pageFile), std::string());
    document.setSettings(settings, false);
    project::saveProjectFiles(document, projectFile);

    std::printf("imported: %zu menu items from %s into %s%s\n", report.taken, pageFile.c_str(),
                projectFile.c_str(), existing ? "" : " (a new project)");
    if (siteFolderSet) std::printf("site folder: %s\n", settings.siteFolder.c_str());
    printSkipped(report);
    std::fflush(stdout);
    printBrokenLinkWarnings(document.tree(), document.settings().siteFolder);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "corvantel: %s\n", errorBoxText(e.what()).c_str());
    return 1;
  }
}

}  // namespace corvantel::site
