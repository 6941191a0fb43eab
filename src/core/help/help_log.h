#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvantel::help {

// What the head of the diagnostic help log tells about the machine.
struct HelpLogHeader {
  std::string date;              // date and time the log was started
  std::string localeName;        // the system locale
  std::string decimalSeparator;  // of that locale
  std::string programPath;       // the program file
  std::string modulePath;        // the file holding the help code (the program itself here)
  bool viewerInstalled = false;
  std::string viewerVersion;
  bool browserInstalled = false;
  std::string browserVersion;
};

// The diagnostic help log "HelpDebug.txt". It is written only when asked for ("debug.debug" beside the
// program, or "/debug" or "-debug" on the command line); each line is appended at once so that the log
// survives a crash.
class HelpLog {
 public:
  static constexpr const char* kFileName = "HelpDebug.txt";
  static constexpr const char* kTriggerFile = "debug.debug";
  static constexpr const char* kProbeFile = "$_Temp_$.$$$";

  // Whether a log is asked for: `programFolder` (with its trailing separator) holds "debug.debug", or an
  // argument equals "/debug" or "-debug" without regard to case.
  static bool requested(const std::string& programFolder, const std::vector<std::string>& arguments);
  // The folder the log goes to, with a trailing separator: the program folder when a file can be created
  // there, else the temporary folder, else the file-system root.
  static std::string chooseFolder(const std::string& programFolder);
  // Deletes an earlier log in the program folder (done at every start, logging or not).
  static void removeOld(const std::string& programFolder);

  // A line as it stands in the file: "-" and "=" become 80 hyphens or equals signs; a line that starts
  // with "!", "-" or "=" loses that character; any other line gets three spaces and `time` appended.
  static std::string formatLine(std::string_view line, std::string_view time);
  // The head of the log for the file `logPath`, unformatted (each line passes through formatLine).
  static std::vector<std::string> headerLines(const std::string& logPath, const HelpLogHeader& header);
  // A header with the date, the locale and its decimal separator filled from the C library.
  static HelpLogHeader systemHeader();

  // The lines of the calls.
  static std::string createLine(std::string_view helpFile, std::string_view window, int mode);
  static std::string hookLine(int command, long long data);
  static std::string contextLine(std::string_view helpFile, int context, std::string_view window, int mode);
  static std::string showContextLine(std::string_view helpPath, int mode);
  static std::string returnedLine(int code);
  static std::string showErrorLine(int code, std::string_view message);
  static constexpr const char* kDestroyLine = "THelpHook.Destroy";

  // A log appending to `path`; the file is created when the first line is written. `clock` gives the
  // time appended to call lines (default: the local time as HH:MM:SS).
  explicit HelpLog(std::string path, std::function<std::string()> clock = {});

  const std::string& path() const { return m_path; }
  // Appends one line (formatted by formatLine). Returns false when the file cannot be written.
  bool write(std::string_view line);
  void writeHeader(const HelpLogHeader& header);

 private:
  std::string m_path;
  std::function<std::string()> m_clock;
};

}  // namespace corvantel::help
