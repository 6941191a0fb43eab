#include "core/ini/program_settings.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "core/ini/ini_file.h"
#include "core/io/file_io.h"

namespace corvantel::ini {

namespace {

bool canWriteFolder(const std::string& folder) {
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

void makeFolders(const std::string& folder) {
  for (std::size_t i = 1; i <= folder.size(); ++i) {
    if (i == folder.size() || folder[i] == '/') {
      std::string part = folder.substr(0, i);
      ::mkdir(part.c_str(), 0755);
    }
  }
}

}  // namespace

ProgramSettings::ProgramSettings(std::string programFolder) : m_programFolder(std::move(programFolder)) {
  const std::string beside = m_programFolder + "Corvantel.ini";
  // A copy installed below /usr or /opt is an installation even for the superuser, who can write there.
  const bool installed = m_programFolder.rfind("/usr/", 0) == 0 || m_programFolder.rfind("/opt/", 0) == 0;
  if (!installed && canWriteFolder(m_programFolder.empty() ? "." : m_programFolder)) {
    m_path = beside;
  } else {
    m_path = io::joinPath(userConfigFolder(), "Corvantel.ini");
  }
}

std::string ProgramSettings::userConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (xdg && *xdg == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && *home ? home : "/tmp") + "/.config";
  }
  return base + "/Corvantel";
}

std::string ProgramSettings::defaultLanguageFile() const {
  return m_programFolder + "Language/english.lng";
}

std::string ProgramSettings::languageFile() const {
  std::string value = ini::readString(m_path, "Settings", "Language", "");
  return value.empty() ? defaultLanguageFile() : value;
}

void ProgramSettings::setLanguageFile(const std::string& languageFile) const {
  const std::size_t slash = m_path.rfind('/');
  if (slash != std::string::npos && slash > 0) {
    const std::string folder = m_path.substr(0, slash);
    if (!io::directoryExists(folder) && m_path.rfind(m_programFolder, 0) != 0) makeFolders(folder);
  }
  ini::writeString(m_path, "Settings", "Language", languageFile);
}

std::string findProgramFolder(const char* argv0) {
  char buffer[PATH_MAX + 1];
  ssize_t n = ::readlink("/proc/self/exe", buffer, PATH_MAX);
  std::string exe;
  if (n > 0) {
    exe.assign(buffer, static_cast<std::size_t>(n));
  } else if (argv0) {
    char* resolved = ::realpath(argv0, nullptr);
    if (resolved) {
      exe = resolved;
      std::free(resolved);
    }
  }
  const std::size_t slash = exe.rfind('/');
  return slash == std::string::npos ? std::string("./") : exe.substr(0, slash + 1);
}

}  // namespace corvantel::ini
