#pragma once

#include <string>
#include <vector>

namespace corvantel::ini {

// The list of recently opened or saved projects, newest first, kept in "Corvantel.ini" in a section of its
// own ("Recent Projects", keys File1 to File8) so that the "Settings" section stays as the program writes it.
class RecentProjects {
 public:
  static constexpr std::size_t kMaxEntries = 8;
  static constexpr const char* kSection = "Recent Projects";

  RecentProjects() = default;
  explicit RecentProjects(std::vector<std::string> paths);

  const std::vector<std::string>& paths() const { return m_paths; }

  // Puts `path` first; an entry already in the list moves up; the list keeps at most eight entries.
  void add(const std::string& path);
  // Removes `path`; returns whether it was listed.
  bool remove(const std::string& path);

  // Reads the list from the settings file (missing file or section: an empty list; empty and repeated
  // entries are skipped).
  static RecentProjects load(const std::string& iniPath);
  // Writes the list into its section, replacing the file atomically; other sections stay as they are.
  // Throws corvantel::Error("Unable to write to <path>").
  void save(const std::string& iniPath) const;

 private:
  std::vector<std::string> m_paths;
};

}  // namespace corvantel::ini
