// Writing one key of a profile file: every other byte stays, the file is replaced atomically, and a
// failed write leaves the old file as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "core/error.h"
#include "core/ini/ini_file.h"
#include "support/core/temp_dir.h"

namespace corvantel::ini {
namespace {

ino_t inodeOf(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// Everything of a hand-written file that a write must keep: comments, blank lines, odd spacing, LF
// line ends, a key line without "=", other sections.
const std::string kHandWritten =
    "; settings of my copy\n"
    "[Settings]\n"
    "  Language =  /old/english.lng  \n"
    "junk line without equals\n"
    "\n"
    "[Window]\r\n"
    "Left=10\r\n"
    "\r\n"
    "[Last]\n"
    "x=1";

struct WriteCase {
  const char* name;
  std::string before;
  std::string section, key, value;
  std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class IniWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, ChangesOnlyTheLineOfTheKey) {
  const WriteCase& c = GetParam();
  IniFile file(c.before);
  EXPECT_EQ(file.setValue(c.section, c.key, c.value), c.before != c.after);
  EXPECT_EQ(file.bytes(), c.after);
  EXPECT_EQ(file.value(c.section, c.key), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, IniWrite,
    ::testing::Values(
        WriteCase{"new_file", "", "Settings", "Language", "/p/english.lng",
                  "[Settings]\r\nLanguage=/p/english.lng\r\n"},
        WriteCase{"existing_key_in_place_spelling_kept", kHandWritten, "settings", "LANGUAGE", "/new.lng",
                  "; settings of my copy\n[Settings]\nLanguage=/new.lng\njunk line without equals\n\n"
                  "[Window]\r\nLeft=10\r\n\r\n[Last]\nx=1"},
        WriteCase{"new_key_directly_before_next_head", kHandWritten, "Window", "Top", "5",
                  "; settings of my copy\n[Settings]\n  Language =  /old/english.lng  \n"
                  "junk line without equals\n\n[Window]\r\nLeft=10\r\n\r\nTop=5\r\n[Last]\nx=1"},
        WriteCase{"new_key_in_last_section_without_line_end", kHandWritten, "LAST", "y", "2",
                  kHandWritten + "\r\ny=2\r\n"},
        WriteCase{"new_section_appended", kHandWritten, "Recent", "File1", "/a.cvp",
                  kHandWritten + "\r\n[Recent]\r\nFile1=/a.cvp\r\n"},
        WriteCase{"new_section_after_final_line_end", "[A]\r\nk=1\r\n", "B", "k", "2", "[A]\r\nk=1\r\n[B]\r\nk=2\r\n"},
        WriteCase{"head_is_last_line", "[A]", "A", "k", "1", "[A]\r\nk=1\r\n"},
        WriteCase{"same_value_untouched", kHandWritten, "Window", "left", "10", kHandWritten},
        WriteCase{"first_of_duplicates_written", "[A]\r\nk=1\r\nk=2\r\n", "A", "k", "3", "[A]\r\nk=3\r\nk=2\r\n"},
        WriteCase{"only_first_section_of_a_name", "[A]\r\n[B]\r\n[A]\r\nk=1\r\n", "A", "k", "2",
                  "[A]\r\nk=2\r\n[B]\r\n[A]\r\nk=1\r\n"},
        WriteCase{"value_with_equals_and_semicolon", "", "S", "k", "a=b ; c", "[S]\r\nk=a=b ; c\r\n"},
        WriteCase{"empty_value", "[S]\r\nk=1\r\n", "S", "k", "", "[S]\r\nk=\r\n"},
        WriteCase{"byte_order_mark_kept", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "2", "\xEF\xBB\xBF[S]\r\nk=2\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniWriteText, Cp1252FileIsWrittenBackAsUtf8) {
  IniFile file("[S]\r\nk=caf\xE9\r\n");
  file.setValue("S", "j", "1");
  EXPECT_EQ(file.bytes(), "[S]\r\nk=caf\xC3\xA9\r\nj=1\r\n");
}

TEST(IniWriteText, LineBreakInValueCannotStartANewLine) {
  IniFile file("[S]\r\n");
  file.setValue("S", "title", "a\r\n[Evil]\nk=1");
  EXPECT_EQ(file.sections(), std::vector<std::string>{"S"});
  EXPECT_EQ(file.value("S", "title"), "a  [Evil] k=1");
}

TEST(IniWriteText, NamesThatWouldReadBackAsSomethingElseAreRefused) {
  IniFile file("[S]\r\nk=1\r\n");
  EXPECT_THROW(file.setValue("S", "a=b", "v"), Error);
  EXPECT_THROW(file.setValue("S", "[T]", "v"), Error);
  EXPECT_THROW(file.setValue("S", " [T", "v]"), Error);
  EXPECT_THROW(file.setValue("S\r\n[T]", "k", "v"), Error);
  EXPECT_THROW(file.setValue("S", "k\nj", "v"), Error);
  EXPECT_EQ(file.bytes(), "[S]\r\nk=1\r\n");
}

TEST(IniWriteFile, CreatesMissingFileAndReplacesAtomically) {
  test::TempDir dir;
  const std::string path = dir.file("Corvantel.ini");
  writeString(path, "Settings", "Language", "/x/english.lng");
  EXPECT_EQ(test::readFile(path), "[Settings]\r\nLanguage=/x/english.lng\r\n");

  ::chmod(path.c_str(), 0640);
  const ino_t before = inodeOf(path);
  writeString(path, "Settings", "Language", "/y/deutsch.lng");
  EXPECT_EQ(test::readFile(path), "[Settings]\r\nLanguage=/y/deutsch.lng\r\n");
  EXPECT_NE(inodeOf(path), before) << "the file is replaced by a rename, not rewritten in place";
  struct stat st {};
  ::stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u) << "the replacement keeps the file's mode";

  const ino_t replaced = inodeOf(path);
  writeString(path, "settings", "language", "/y/deutsch.lng");
  EXPECT_EQ(inodeOf(path), replaced) << "writing the stored value leaves the file alone";

  // No temporary file is left beside it.
  test::writeFile(dir.file("probe"), "");
  EXPECT_EQ(std::system(("test $(ls -A '" + dir.path() + "' | wc -l) -eq 2").c_str()), 0);
}

TEST(IniWriteFile, EmptyExistingFileGetsTheSection) {
  test::TempDir dir;
  const std::string path = dir.file("empty.ini");
  test::writeFile(path, "");
  writeString(path, "S", "k", "");
  EXPECT_EQ(test::readFile(path), "[S]\r\nk=\r\n");
}

TEST(IniWriteFile, FailuresSayUnableToWriteAndKeepTheOldFile) {
  test::TempDir dir;
  const std::string missingFolder = dir.file("no/such/folder/Corvantel.ini");
  try {
    writeString(missingFolder, "Settings", "Language", "x");
    ADD_FAILURE() << "a write into a missing folder succeeded";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + missingFolder);
  }

  const std::string locked = dir.file("locked.ini");
  test::writeFile(locked, "[Settings]\r\nLanguage=old\r\n");
  ::chmod(locked.c_str(), 0444);
  try {
    writeString(locked, "Settings", "Language", "new");
    ADD_FAILURE() << "a write-protected file was replaced";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + locked);
  }
  EXPECT_EQ(test::readFile(locked), "[Settings]\r\nLanguage=old\r\n");

  const std::string folder = dir.file("folder.ini");
  ::mkdir(folder.c_str(), 0755);
  EXPECT_THROW(writeString(folder, "S", "k", "v"), Error);

  // A read-only folder: the temporary file cannot be made; the file there stays as it was.
  const std::string roDir = dir.file("ro");
  ::mkdir(roDir.c_str(), 0755);
  const std::string inRo = roDir + "/a.ini";
  test::writeFile(inRo, "[S]\r\nk=1\r\n");
  ::chmod(roDir.c_str(), 0555);
  if (::access(roDir.c_str(), W_OK) != 0) {  // the superuser may write anyway
    EXPECT_THROW(writeString(inRo, "S", "k", "2"), Error);
    EXPECT_EQ(test::readFile(inRo), "[S]\r\nk=1\r\n");
  }
}

}  // namespace
}  // namespace corvantel::ini
