#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvantel::io {

// Reads a whole file as bytes. Returns nothing when the file cannot be opened or is not a regular file.
std::optional<std::string> readFileBytes(const std::string& path);

// Replaces `path` with `bytes` atomically: the bytes go to a temporary file beside it, which is flushed and
// then renamed over the old file. On failure the old file is untouched and the temporary file removed.
// Throws corvantel::Error with `failureMessage` (its "%s" filled with `path`) when set, else with a text
// describing the system error ("File access denied", "Disk full", ...).
void writeFileAtomic(const std::string& path, std::string_view bytes,
                     const std::string& failureMessage = std::string());

// The program's text for a system error number: "File access denied", "Invalid filename", "Disk full",
// "File not found", "Path not found", or "I/O error %d".
std::string ioErrorText(int errorNumber);

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);

// The platform's path separator as a one-character string.
inline constexpr char kPathSeparator = '/';

// Joins a folder and a name with one separator between them.
std::string joinPath(const std::string& folder, const std::string& name);

}  // namespace corvantel::io
