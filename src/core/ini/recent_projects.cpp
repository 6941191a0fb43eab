#include "core/ini/recent_projects.h"

#include <algorithm>

#include "core/ini/ini_file.h"
#include "core/io/file_io.h"

namespace corvantel::ini {

namespace {
std::string keyName(std::size_t i) { return "File" + std::to_string(i + 1); }
}  // namespace

RecentProjects::RecentProjects(std::vector<std::string> paths) {
  for (auto it = paths.rbegin(); it != paths.rend(); ++it) add(*it);
}

void RecentProjects::add(const std::string& path) {
  if (path.empty()) return;
  remove(path);
  m_paths.insert(m_paths.begin(), path);
  if (m_paths.size() > kMaxEntries) m_paths.resize(kMaxEntries);
}

bool RecentProjects::remove(const std::string& path) {
  auto it = std::find(m_paths.begin(), m_paths.end(), path);
  if (it == m_paths.end()) return false;
  m_paths.erase(it);
  return true;
}

RecentProjects RecentProjects::load(const std::string& iniPath) {
  ini::IniFile file = ini::IniFile::load(iniPath);
  std::vector<std::string> found;
  for (std::size_t i = 0; i < kMaxEntries; ++i) {
    auto value = file.value(kSection, keyName(i));
    if (value && !value->empty() && std::find(found.begin(), found.end(), *value) == found.end()) {
      found.push_back(*value);
    }
  }
  RecentProjects list;
  list.m_paths = std::move(found);
  return list;
}

void RecentProjects::save(const std::string& iniPath) const {
  ini::IniFile file = ini::IniFile::load(iniPath);
  bool changed = false;
  for (std::size_t i = 0; i < kMaxEntries; ++i) {
    if (i < m_paths.size()) {
      changed = file.setValue(kSection, keyName(i), m_paths[i]) || changed;
    } else {
      changed = file.removeKey(kSection, keyName(i)) || changed;
    }
  }
  if (changed || !io::fileExists(iniPath)) file.save(iniPath);
}

}  // namespace corvantel::ini
