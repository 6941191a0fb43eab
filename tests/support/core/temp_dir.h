#pragma once

#include <string>

namespace corvantel::test {

// A fresh folder under the test's temporary directory, removed with everything in it at the end of
// the scope (write-protected files and folders included).
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, without a trailing separator.
  const std::string& path() const { return m_path; }
  // path() + "/" + name.
  std::string file(const std::string& name) const;

 private:
  std::string m_path;
};

// Whole-file helpers for tests; readFile gives "" for a missing file.
void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);

}  // namespace corvantel::test
