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
  const std::string settingsBytes = settingsFileBytes(previous.value_or(std::string()), document.settings());
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
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
      }
    } catch (const Error&) {
      // The save has failed either way; its own error is the one to report.
    }
    throw;
  }
}

void openProjectFiles(document::Document& document, const std::string& path) {
  document.setSettings(readSettingsFile(path), false);
  document.setProjectFileName(path);
  document::MenuTree loaded;
  try {
    readMenuDataFile(menuDataPath(path), loaded);
  } catch (const Error&) {
    // "Cannot open file" leaves `loaded` empty and the tree as it was; an invalid level keeps what was
    // read before it.
    if (!loaded.empty()) document.tree().replaceWith(loaded);
    throw;
  }
  document.tree().replaceWith(loaded);
}

}  // namespace corvantel::project
