// Helpers of the generator tests: documents made in code, temporary folders, line splitting, iconv.
#pragma once

#include <gtest/gtest.h>
#include <iconv.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/document/document.h"
#include "core/io/file_io.h"

namespace gentest {

// A new project's document (documents cannot be copied or moved, so it lives on the heap).
inline std::unique_ptr<corvantel::document::Document> newDocument() {
  auto d = std::make_unique<corvantel::document::Document>();
  d->resetToNewProject();
  return d;
}

inline corvantel::document::MenuItem* add(corvantel::document::MenuTree& tree, corvantel::document::MenuItem* parent, const std::string& caption,
                                const std::string& address) {
  return tree.append(parent, caption + "\t" + address, -1);
}

// The lines of a generated file. Fails the test when a line does not end with CR LF.
inline std::vector<std::string> lines(const std::string& bytes) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t lf = bytes.find('\n', start);
    if (lf == std::string::npos) {
      ADD_FAILURE() << "last line has no line end: " << bytes.substr(start);
      out.push_back(bytes.substr(start));
      break;
    }
    EXPECT_TRUE(lf > start && bytes[lf - 1] == '\r') << "line " << out.size() + 1 << " does not end with CR LF";
    out.push_back(bytes.substr(start, lf > start ? lf - 1 - start : 0));
    start = lf + 1;
  }
  return out;
}

// Converts bytes in `encoding` to UTF-8 with iconv; fails the test on an invalid sequence.
inline std::string toUtf8(const std::string& bytes, const char* encoding) {
  iconv_t cd = iconv_open("UTF-8", encoding);
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  std::string out(bytes.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* o = out.data();
  std::size_t outLeft = out.size();
  EXPECT_NE(iconv(cd, &in, &inLeft, &o, &outLeft), static_cast<std::size_t>(-1)) << "invalid " << encoding;
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

// A folder under the system's temporary folder, removed with its contents at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvantel-gen-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    EXPECT_NE(made, nullptr);
    m_path = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    // Protected files are made writable again so that they can be removed.
    for (auto& e : std::filesystem::recursive_directory_iterator(m_path, ec)) {
      std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
    }
    std::filesystem::remove_all(m_path, ec);
  }
  const std::string& path() const { return m_path; }
  std::string file(const std::string& name) const { return m_path + "/" + name; }

 private:
  std::string m_path;
};

inline std::string readAll(const std::string& path) {
  auto bytes = corvantel::io::readFileBytes(path);
  EXPECT_TRUE(bytes.has_value()) << path;
  return bytes.value_or(std::string());
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
  corvantel::io::writeFileAtomic(path, bytes);
}

}  // namespace gentest
