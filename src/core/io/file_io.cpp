#include "core/io/file_io.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/error.h"

namespace corvantel::io {

std::optional<std::string> readFileBytes(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return std::nullopt;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string bytes;
  if (st.st_size > 0) {
    bytes.reserve(static_cast<std::size_t>(st.st_size));
  }
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return bytes;
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

void writeFileAtomic(const std::string& path, std::string_view bytes, const std::string& failureMessage) {
  struct stat existing {};
  const bool hadFile = ::stat(path.c_str(), &existing) == 0;
  if (hadFile && S_ISDIR(existing.st_mode)) {
    fail(failureMessage, path, EISDIR);
  }
  // A write-protected file stays protected: replacing it by rename would bypass its mode. The mode bits
  // are checked as well as access(), so that the protection holds for the superuser too.
  if (hadFile && (::access(path.c_str(), W_OK) != 0 || (existing.st_mode & S_IWUSR) == 0)) {
    fail(failureMessage, path, EACCES);
  }
  std::string temp = path + ".XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    fail(failureMessage, path, errno);
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
    fail(failureMessage, path, e);
  }
  if (::close(fd) != 0) {
    int e = errno;
    ::unlink(temp.c_str());
    fail(failureMessage, path, e);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    int e = errno;
    ::unlink(temp.c_str());
    fail(failureMessage, path, e);
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
