#include "core/help/help_log.h"

#include <strings.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "core/io/file_io.h"
#include "core/help/help_path.h"

namespace corvantel::help {

namespace {

std::string withSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

// Whether a file can be created in `folder`: creates and deletes the probe file.
bool canCreateFileIn(const std::string& folder) {
  std::string probe = folder + HelpLog::kProbeFile;
  std::FILE* f = std::fopen(probe.c_str(), "wb");
  if (!f) return false;
  std::fclose(f);
  std::remove(probe.c_str());
  return true;
}

std::string formatTime(const char* pattern) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[64];
  std::size_t n = std::strftime(buffer, sizeof buffer, pattern, &local);
  return std::string(buffer, n);
}

std::string quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

}  // namespace

bool HelpLog::requested(const std::string& programFolder, const std::vector<std::string>& arguments) {
  for (const std::string& a : arguments) {
    if (strcasecmp(a.c_str(), "/debug") == 0 || strcasecmp(a.c_str(), "-debug") == 0) return true;
  }
  return io::fileExists(programFolder + kTriggerFile);
}

std::string HelpLog::chooseFolder(const std::string& programFolder) {
  if (!programFolder.empty() && canCreateFileIn(withSeparator(programFolder))) return withSeparator(programFolder);
  const char* tmp = std::getenv("TMPDIR");
  std::string temp = (tmp && *tmp) ? tmp : "/tmp";
  if (io::directoryExists(temp)) return withSeparator(temp);
  return "/";
}

void HelpLog::removeOld(const std::string& programFolder) {
  std::error_code ec;
  std::filesystem::remove(withSeparator(programFolder) + kFileName, ec);
}

std::string HelpLog::formatLine(std::string_view line, std::string_view time) {
  if (line == "-") return std::string(80, '-');
  if (line == "=") return std::string(80, '=');
  if (!line.empty() && (line.front() == '!' || line.front() == '-' || line.front() == '=')) {
    return std::string(line.substr(1));
  }
  return std::string(line) + "   " + std::string(time);
}

std::vector<std::string> HelpLog::headerLines(const std::string& logPath, const HelpLogHeader& h) {
  auto yesNo = [](bool b) { return std::string(b ? "YES" : "NO"); };
  return {
      "=",
      "!Filename:             " + logPath,
      "!Date:                 " + h.date,
      "!SysLocale.DefaultLCID: " + h.localeName,
      "!DecimalSeparator:     " + h.decimalSeparator,
      "!Program:              " + h.programPath,
      "!Module:               " + h.modulePath,
      "!_HelpViewerInstalled =      " + yesNo(h.viewerInstalled),
      "!_HelpViewerVersion =        " + h.viewerVersion,
      "!_WebBrowserInstalled =      " + yesNo(h.browserInstalled),
      "!_WebBrowserVersion =        " + h.browserVersion,
      "=",
  };
}

HelpLogHeader HelpLog::systemHeader() {
  HelpLogHeader h;
  h.date = formatTime("%Y-%m-%d %H:%M:%S");
  const char* locale = std::setlocale(LC_ALL, nullptr);
  h.localeName = locale ? locale : "C";
  const std::lconv* conv = std::localeconv();
  h.decimalSeparator = (conv && conv->decimal_point) ? conv->decimal_point : ".";
  return h;
}

std::string HelpLog::createLine(std::string_view helpFile, std::string_view window, int mode) {
  return "THelpHook.Create(" + quoted(helpFile) + "," + quoted(window) + ", " + std::to_string(mode) + ")";
}

std::string HelpLog::hookLine(int command, long long data) {
  return "THelpHook.HelpHook(" + helpCommandText(command) + ", " + std::to_string(data) + ")";
}

std::string HelpLog::contextLine(std::string_view helpFile, int context, std::string_view window, int mode) {
  return "HelpHookContext(" + quoted(helpFile) + ", " + std::to_string(context) + ", " + quoted(window) + ", " +
         std::to_string(mode) + ")";
}

std::string HelpLog::showContextLine(std::string_view helpPath, int mode) {
  return "ShowContext(" + quoted(helpPath) + ", " + std::to_string(mode) + ")";
}

std::string HelpLog::returnedLine(int code) { return "  returned - " + std::to_string(code); }

std::string HelpLog::showErrorLine(int code, std::string_view message) {
  return "HelpHookShowError(" + std::to_string(code) + "), " + quoted(message);
}

HelpLog::HelpLog(std::string path, std::function<std::string()> clock)
    : m_path(std::move(path)), m_clock(std::move(clock)) {
  if (!m_clock) m_clock = [] { return formatTime("%H:%M:%S"); };
}

bool HelpLog::write(std::string_view line) {
  std::ofstream out(m_path, std::ios::binary | std::ios::app);
  if (!out) return false;
  out << formatLine(line, m_clock()) << "\n";
  return static_cast<bool>(out.flush());
}

void HelpLog::writeHeader(const HelpLogHeader& header) {
  for (const std::string& line : headerLines(m_path, header)) write(line);
}

}  // namespace corvantel::help
