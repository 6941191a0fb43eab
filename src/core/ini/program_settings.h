#pragma once

#include <string>

namespace corvantel::ini {

// Where the program keeps "Corvantel.ini" and what it holds (section "Settings", key "Language").
// A portable copy keeps the file beside the program; where the program folder cannot be written (an
// installed copy), it lives in $XDG_CONFIG_HOME/Corvantel (or ~/.config/Corvantel).
class ProgramSettings {
 public:
  // `programFolder` ends with a path separator.
  explicit ProgramSettings(std::string programFolder);

  const std::string& programFolder() const { return m_programFolder; }
  // The full path of "Corvantel.ini" in use.
  const std::string& path() const { return m_path; }

  // The language file named in the settings, or ProgramFolder + "Language/english.lng".
  std::string languageFile() const;
  // Writes the language file; throws corvantel::Error("Unable to write to <path>").
  void setLanguageFile(const std::string& languageFile) const;

  // The user's configuration folder for the program (without a trailing separator).
  static std::string userConfigFolder();
  // ProgramFolder + "Language/english.lng".
  std::string defaultLanguageFile() const;

 private:
  std::string m_programFolder;
  std::string m_path;
};

// The folder of the running executable, with a trailing separator.
std::string findProgramFolder(const char* argv0);

}  // namespace corvantel::ini
