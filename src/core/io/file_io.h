#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvantel::io {

// Why a read gave no bytes.
enum class ReadFailure {
  None,
  Missing,     // nothing of that name (or a folder on the way is missing)
  Unreadable,  // it exists but cannot be read: no permission, a folder, a named pipe, a device, a read error
  TooLarge,    // a regular file larger than the limit the caller set
};

struct ReadResult {
  std::string bytes;
  ReadFailure failure = ReadFailure::None;
  bool ok() const { return failure == ReadFailure::None; }
};

inline constexpr std::size_t kNoSizeLimit = static_cast<std::size_t>(-1);

// Reads a whole regular file. The file is opened without blocking and its type checked before any byte
// is read, so a named pipe or a device is refused at once instead of waiting for a writer or reading
// forever. A file larger than `maxBytes` is refused without reading it.
ReadResult readFile(const std::string& path, std::size_t maxBytes = kNoSizeLimit);

// The same, with nothing for every failure.
std::optional<std::string> readFileBytes(const std::string& path);

// Replaces `path` with `bytes` atomically: the bytes go to a temporary file beside it, which is flushed and
// then renamed over the old file. When `path` is a symbolic link (or a chain of them) the file it points to
// is the one replaced, with the temporary file beside that file, and the link stays a link; a link to
// nothing creates the file it names. On failure the old file is untouched and the temporary file removed.
// Throws corvantel::Error with `failureMessage` (its "%s" filled with `path`) when set, else with a text
// describing the system error ("File access denied", "Disk full", ...).
void writeFileAtomic(const std::string& path, std::string_view bytes,
                     const std::string& failureMessage = std::string());

// The program's text for a system error number: "File access denied", "Invalid filename", "Disk full",
// "File not found", "Path not found", or "I/O error %d".
std::string ioErrorText(int errorNumber);

// Whether writeFileAtomic would refuse to replace `path` because it is write-protected: the file exists
// and either access() denies writing or its owner-write bit is clear (which protects it from the
// superuser too).
bool isWriteProtected(const std::string& path);

// The file a write to `path` lands in: `path` itself, or the end of its chain of symbolic links (a
// relative link counted from the link's own folder). Nothing when the chain is too long or loops.
std::optional<std::string> linkTarget(const std::string& path);

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);

// The platform's path separator as a one-character string.
inline constexpr char kPathSeparator = '/';

// Joins a folder and a name with one separator between them.
std::string joinPath(const std::string& folder, const std::string& name);

}  // namespace corvantel::io
