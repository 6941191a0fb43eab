// The ini_probe tool: its argument encoding and its JSON lines, run as a separate program.
#include <gtest/gtest.h>

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

}  // namespace
