#include "support/core/temp_dir.h"

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace corvantel::test {

namespace {

int removeEntry(const char* path, const struct stat*, int, struct FTW*) {
  ::chmod(path, 0700);
  ::remove(path);  // keeps going over entries that cannot be removed
  return 0;
}

int unlockEntry(const char* path, const struct stat* st, int, struct FTW*) {
  if (S_ISDIR(st->st_mode)) ::chmod(path, 0700);
  return 0;
}

}  // namespace

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/corvantel-test-XXXXXX";
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  m_path = pattern;
}

TempDir::~TempDir() {
  // Folders made read-only by a test are opened up first, so that their entries can go.
  ::nftw(m_path.c_str(), unlockEntry, 16, FTW_PHYS);
  ::nftw(m_path.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

std::string TempDir::file(const std::string& name) const { return m_path + "/" + name; }

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace corvantel::test
