#include "core/io/file_io.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/error.h"

namespace corvantel::io {

ReadResult readFile(const std::string& path, std::size_t maxBytes) {
  ReadResult result;
  // O_NONBLOCK: opening a named pipe for reading would otherwise wait for a writer. Nothing is read
  // before fstat has shown a regular file, for which the flag changes nothing.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    result.failure = errno == ENOENT || errno == ENOTDIR ? ReadFailure::Missing : ReadFailure::Unreadable;
    return result;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    result.failure = ReadFailure::Unreadable;
    return result;
  }
  if (st.st_size > 0 && static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
    ::close(fd);
    result.failure = ReadFailure::TooLarge;
    return result;
  }
  if (st.st_size > 0) {
    result.bytes.reserve(static_cast<std::size_t>(st.st_size));
  }
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      result.bytes.clear();
      result.failure = ReadFailure::Unreadable;
      return result;
    }
    if (n == 0) break;
    result.bytes.append(buffer, static_cast<std::size_t>(n));
    if (result.bytes.size() > maxBytes) {  // grew while being read
      ::close(fd);
      result.bytes.clear();
      result.failure = ReadFailure::TooLarge;
      return result;
    }
  }
  ::close(fd);
  return result;
}

std::optional<std::string> readFileBytes(const std::string& path) {
  ReadResult r = readFile(path);
  if (!r.ok()) return std::nullopt;
  return std::move(r.bytes);
}

std::string ioErrorText(int errorNumber) {
  switch (errorNumber) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return "File access denied";
    case ENOENT:
      return "File not found";
    case ENOTDIR:
      return "Path not found";
    case ENAMETOOLONG:
    case EINVAL:
      return "Invalid filename";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return "Disk full";
    default:
      return "I/O error " + std::to_string(errorNumber);
  }
}

namespace {

[[noreturn]] void fail(const std::string& failureMessage, const std::string& path, int errorNumber) {
  if (!failureMessage.empty()) {
    throw Error(fillMessage(failureMessage, path));
  }
  throw Error(ioErrorText(errorNumber));
}

bool writeAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<std::string> linkTarget(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
    if (n < 0) return std::nullopt;
    if (static_cast<std::size_t>(n) >= target.size()) {
      // The link changed under us; read it again with more room.
      target.resize(4096);
      n = ::readlink(current.c_str(), target.data(), target.size());
      if (n < 0 || static_cast<std::size_t>(n) >= target.size()) return std::nullopt;
    }
    target.resize(static_cast<std::size_t>(n));
    if (!target.empty() && target.front() != kPathSeparator) {
      const std::size_t slash = current.rfind(kPathSeparator);
      if (slash != std::string::npos) target = current.substr(0, slash + 1) + target;
    }
    current = std::move(target);
  }
  return std::nullopt;
}

bool isWriteProtected(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return ::access(path.c_str(), W_OK) != 0 || (st.st_mode & S_IWUSR) == 0;
}

void writeFileAtomic(const std::string& givenPath, std::string_view bytes, const std::string& failureMessage) {
  // Messages name the path the caller gave; the work is done on the file a link leads to.
  const std::optional<std::string> resolved = linkTarget(givenPath);
  if (!resolved) fail(failureMessage, givenPath, ELOOP);
  const std::string& path = *resolved;
  struct stat existing {};
  const bool hadFile = ::stat(path.c_str(), &existing) == 0;
  if (hadFile && S_ISDIR(existing.st_mode)) {
    fail(failureMessage, givenPath, EISDIR);
  }
  // A write-protected file stays protected: replacing it by rename would bypass its mode. The mode bits
  // are checked as well as access(), so that the protection holds for the superuser too.
  if (hadFile && (::access(path.c_str(), W_OK) != 0 || (existing.st_mode & S_IWUSR) == 0)) {
    fail(failureMessage, givenPath, EACCES);
  }
  std::string temp = path + ".XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    fail(failureMessage, givenPath, errno);
  }
  const mode_t mode = hadFile ? (existing.st_mode & 07777) : [] {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  ::fchmod(fd, mode);
  if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
    int e = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    fail(failureMessage, givenPath, e);
  }
  if (::close(fd) != 0) {
    int e = errno;
    ::unlink(temp.c_str());
    fail(failureMessage, givenPath, e);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    int e = errno;
    ::unlink(temp.c_str());
    fail(failureMessage, givenPath, e);
  }
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool directoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string joinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == kPathSeparator) return folder + name;
  return folder + kPathSeparator + name;
}

}  // namespace corvantel::io
