// Helpers of the generator tests: documents made in code, line splitting, iconv, reading generated files.
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
#include "support/core/temp_dir.h"

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

inline std::string readAll(const std::string& path) {
  auto bytes = corvantel::io::readFileBytes(path);
  EXPECT_TRUE(bytes.has_value()) << path;
  return bytes.value_or(std::string());
}

}  // namespace gentest
