// The ini_probe tool: its argument encoding and its JSON lines, run as a separate program.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "support/core/temp_dir.h"

namespace {

std::string probe(const std::string& args) {
  const std::string command = std::string(CORVANTEL_PROGRAM_DIR) + "/tests/ini_probe " + args + " 2>&1";
  std::string out;
  if (FILE* p = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
    ::pclose(p);
  }
  return out;
}

// The probe's encoding of a text argument.
std::string x(const std::string& text) {
  static const char digits[] = "0123456789abcdef";
  std::string out = "x";
  for (unsigned char c : text) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

std::string got(const std::string& text) {
  return "{\"ret\":" + std::to_string(text.size()) + ",\"hex\":\"" + x(text).substr(1) + "\"}\n";
}

TEST(IniProbe, GetPrintsLengthAndHexOfTheResult) {
  corvantel::test::TempDir dir;
  const std::string file = dir.file("a.ini");
  corvantel::test::writeFile(file, "[Settings]\r\nLanguage=\"caf\xC3\xA9\"\r\nEmpty=\r\n[Other]\r\n");
  const std::string settings = "x53657474696e6773";  // "Settings"
  EXPECT_NE(probe(file + " get x " + settings).find("usage: ini_probe"), std::string::npos);
  EXPECT_EQ(probe("get " + file + " " + settings + " x6c616e6775616765 -"), "{\"ret\":5,\"hex\":\"636166c3a9\"}\n");
  EXPECT_EQ(probe("get " + file + " " + settings + " x456d707479 x6464"), "{\"ret\":0,\"hex\":\"\"}\n");
  EXPECT_EQ(probe("get " + file + " " + settings + " x4d697373696e67 x64656620"),  // "def " -> "def"
            "{\"ret\":3,\"hex\":\"646566\"}\n");
  // Enumeration: each name NUL-terminated.
  EXPECT_EQ(probe("get " + file + " - - -"), "{\"ret\":15,\"hex\":\"53657474696e6773004f7468657200\"}\n");
  EXPECT_EQ(probe("get " + file + " " + settings + " - -"),
            "{\"ret\":15,\"hex\":\"4c616e677561676500456d70747900\"}\n");
  EXPECT_NE(probe("get " + file + " xZZ x -").find("usage"), std::string::npos);
}

TEST(IniProbe, PutWritesRemovesAndReportsFailure) {
  corvantel::test::TempDir dir;
  const std::string file = dir.file("b.ini");
  EXPECT_EQ(probe("put " + file + " x53 x6b x31"), "{\"ok\":1}\n");
  EXPECT_EQ(corvantel::test::readFile(file), "[S]\r\nk=1\r\n");
  EXPECT_EQ(probe("put " + file + " x53 x6a x"), "{\"ok\":1}\n");
  EXPECT_EQ(probe("put " + file + " x53 x6b -"), "{\"ok\":1}\n");
  EXPECT_EQ(corvantel::test::readFile(file), "[S]\r\nj=\r\n");
  EXPECT_EQ(probe("put " + file + " x53 - -"), "{\"ok\":1}\n");
  EXPECT_EQ(corvantel::test::readFile(file), "");
  EXPECT_EQ(probe("put " + file + " - x6b x31"), "{\"ok\":0}\n");
  EXPECT_EQ(probe("put " + dir.file("none/c.ini") + " x53 x6b x31"), "{\"ok\":0}\n");
}

TEST(IniProbe, FollowsThePlatformsProfileRules) {
  using corvantel::test::readFile;
  using corvantel::test::writeFile;
  corvantel::test::TempDir dir;
  const std::string file = dir.file("rules.ini");
  const auto put = [&](const std::string& section, const std::string& key, const std::string& value) {
    return probe("put " + file + " " + x(section) + " " + x(key) + " " + x(value));
  };
  const auto get = [&](const std::string& section, const std::string& key, const std::string& fallback) {
    return probe("get " + file + " " + x(section) + " " + x(key) + " " + x(fallback));
  };

  writeFile(file, "[Settings]\r\nKeyName = 2 \r\nlonely\r\n");
  EXPECT_EQ(get(" Settings\t", "  KeyName ", ""), got("2")) << "blanks around the names of a read";
  EXPECT_EQ(get("Settings", "missing", "\"quoted default\"  "), got("quoted default"));
  EXPECT_EQ(get("Settings", "lonely", "none"), got("none")) << "a line without = defines nothing";

  struct stat before {};
  ::stat(file.c_str(), &before);
  EXPECT_EQ(put("settings", "keyname", "2"), "{\"ok\":1}\n");
  struct stat after {};
  ::stat(file.c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino) << "the value already stored: the file is not replaced";
  EXPECT_EQ(readFile(file), "[Settings]\r\nKeyName = 2 \r\nlonely\r\n");

  EXPECT_EQ(put(" Settings ", " KEYNAME\t", "  3"), "{\"ok\":1}\n");
  EXPECT_EQ(put("Settings", "LONELY", "here"), "{\"ok\":1}\n");
  EXPECT_EQ(put("Settings", "multi", "one\r\ntwo"), "{\"ok\":1}\n");
  EXPECT_EQ(readFile(file), "[Settings]\r\nKeyName=3\r\nlonely=here\r\nmulti=one  two\r\n")
      << "names trimmed, the value's leading blanks dropped, spellings kept, the bare name completed";

  ::chmod(file.c_str(), 0444);
  EXPECT_EQ(put("Settings", "KeyName", "3"), "{\"ok\":0}\n") << "read-only, even with the value unchanged";
  ::chmod(file.c_str(), 0644);
}

}  // namespace
