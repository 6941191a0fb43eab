#include "core/project/project_files.h"

#include <filesystem>
#include <optional>

#include "core/error.h"
#include "core/io/file_io.h"
#include "core/project/menu_data_file.h"
#include "core/project/settings_file.h"

namespace corvantel::project {

void saveProjectFiles(const document::Document& document, const std::string& path) {
  const std::string menuPath = menuDataPath(path);
  if (io::directoryExists(path)) throw Error(fillMessage("Unable to write to %s", path));
  const bool hadSettingsFile = io::fileExists(path);
  const std::optional<std::string> previous = io::readFileBytes(path);
  // The document holds the site folder as a full path; the file stores it relative to its own folder,
  // so that a project saved into another folder still names the same site.
  document::ProjectSettings settings = document.settings();
  settings.siteFolder = storedSiteFolder(settings.siteFolder, path);
  const std::string settingsBytes = settingsFileBytes(previous.value_or(std::string()), settings);
  const std::string menuBytes = menuDataBytes(document.tree());

  io::writeFileAtomic(path, settingsBytes, "Unable to write to %s");
  try {
    io::writeFileAtomic(menuPath, menuBytes, "Cannot create file %s");
  } catch (const Error&) {
    // Put the settings file back, so that the two files on disk still belong together.
    try {
      if (previous) {
        io::writeFileAtomic(path, *previous);
      } else if (!hadSettingsFile) {
        // Through a link to nothing the new file is the link's target; the link itself stays.
        std::error_code ignored;
        std::filesystem::remove(io::linkTarget(path).value_or(path), ignored);
      }
    } catch (const Error&) {
      // The save has failed either way; its own error is the one to report.
    }
    throw;
  }
}

void readProject(const std::string& path, ProjectContents& into) {
  const std::string menuPath = menuDataPath(path);
  const io::ReadResult settings = io::readFile(path);
  if (settings.failure == io::ReadFailure::Missing) {
    // A project may consist of its menu data alone; without that either, the project named is missing.
    // (A limit of 0 bytes asks only whether the file is there.)
    if (io::readFile(menuPath, 0).failure == io::ReadFailure::Missing) {
      throw Error(fillMessage("Cannot open file %s", path));
    }
    into.settings = settingsFileDefaults();
  } else if (!settings.ok()) {
    throw Error(fillMessage("Cannot open file %s", path));
  } else {
    into.settings = readSettingsBytes(settings.bytes);
    into.settings.siteFolder = storedSiteFolder(siteFolderPath(into.settings, path), std::string());
  }
  readMenuDataFile(menuPath, into.tree);
}

void openProjectFiles(document::Document& document, const std::string& path) {
  ProjectContents loaded;
  readProject(path, loaded);
  document.setSettings(loaded.settings, false);
  document.tree().replaceWith(loaded.tree);
  document.setProjectFileName(path);
}

}  // namespace corvantel::project
