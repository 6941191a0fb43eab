// Reading rules of the profile files: every INI file of the program goes through these.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/ini/ini_file.h"
#include "support/core/temp_dir.h"

namespace corvantel::ini {
namespace {

struct ReadCase {
  const char* name;
  std::string file;
  std::string section;
  std::string key;
  std::optional<std::string> expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class IniRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, FindsTheValueTheReaderWouldFind) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(IniFile(c.file).value(c.section, c.key), c.expected);
}

std::string longValue(std::size_t n, char c = 'v') { return std::string(n, c); }

// Section heads: letter case, trimming, the last "]", heads without "]", the first of two sections.
INSTANTIATE_TEST_SUITE_P(
    Sections, IniRead,
    ::testing::Values(ReadCase{"case_ignored", "[settings]\r\nLanguage=a\r\n", "SETTINGS", "language", "a"},
                      ReadCase{"name_trimmed", "[ \tSettings \x1A]\r\nk=1\r\n", "Settings", "k", "1"},
                      ReadCase{"blanks_before_head", "  \t[S]\r\nk=1\r\n", "S", "k", "1"},
                      ReadCase{"runs_to_last_bracket", "[a]b] tail\r\nk=1\r\n", "a]b", "k", "1"},
                      ReadCase{"first_bracket_is_not_the_end", "[a]b]\r\nk=1\r\n", "a", "k", std::nullopt},
                      ReadCase{"no_closing_bracket_is_no_head", "[S]\r\nk=1\r\n[T\r\nj=2\r\n", "S", "j", "2"},
                      ReadCase{"unclosed_head_is_not_a_section", "[T\r\nj=2\r\n", "T", "j", std::nullopt},
                      ReadCase{"only_first_section_searched", "[S]\r\na=1\r\n[X]\r\n[s]\r\nb=2\r\n", "S", "b",
                               std::nullopt},
                      ReadCase{"next_head_ends_section", "[S]\r\n[T]\r\nk=1\r\n", "S", "k", std::nullopt},
                      ReadCase{"keys_before_any_head_belong_nowhere", "k=1\r\n[S]\r\n", "S", "k", std::nullopt},
                      ReadCase{"empty_section_name", "[]\r\nk=1\r\n", "", "k", "1"},
                      ReadCase{"byte_order_mark_before_head", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "1"}),
    [](const auto& info) { return std::string(info.param.name); });

// Key lines: the first "=", the blanks that are dropped, lines without "=", no inline comments.
INSTANTIATE_TEST_SUITE_P(
    Keys, IniRead,
    ::testing::Values(ReadCase{"key_case_ignored", "[S]\r\n&File=&Datei\r\n", "S", "&FILE", "&Datei"},
                      ReadCase{"split_at_first_equals", "[S]\r\na=b=c\r\n", "S", "a", "b=c"},
                      ReadCase{"blanks_dropped", "[S]\r\n \t\v\f\x1A key \t= \x1A\f value\v\t \r\n", "S", "key",
                               "value"},
                      ReadCase{"inner_blanks_kept", "[S]\r\nthe key = a  b \r\n", "S", "the key", "a  b"},
                      ReadCase{"other_bytes_are_not_blanks", "[S]\r\nk=\xC2\xA0v\r\n", "S", "k", "\xC2\xA0v"},
                      ReadCase{"line_without_equals_defines_nothing", "[S]\r\nk\r\n", "S", "k", std::nullopt},
                      ReadCase{"no_inline_comment", "[S]\r\nk=v ; note\r\n", "S", "k", "v ; note"},
                      ReadCase{"first_duplicate_counts", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
                      ReadCase{"empty_value_is_present", "[S]\r\nk=\r\n", "S", "k", ""},
                      ReadCase{"blank_value_is_present", "[S]\r\nk=  \t\r\n", "S", "k", ""},
                      ReadCase{"empty_key_name", "[S]\r\n=v\r\n", "S", "", "v"},
                      ReadCase{"key_is_not_a_prefix_match", "[S]\r\nkey=v\r\n", "S", "ke", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// Quotation marks: one matching pair around the value goes.
INSTANTIATE_TEST_SUITE_P(Quotes, IniRead,
                         ::testing::Values(ReadCase{"double_pair", "[S]\r\nk=\"a b\"\r\n", "S", "k", "a b"},
                                           ReadCase{"single_pair", "[S]\r\nk='a b'\r\n", "S", "k", "a b"},
                                           ReadCase{"blanks_inside_kept", "[S]\r\nk=\"  a  \"\r\n", "S", "k", "  a  "},
                                           ReadCase{"pair_outside_blanks", "[S]\r\nk=  \"a\"  \r\n", "S", "k", "a"},
                                           ReadCase{"mixed_pair_kept", "[S]\r\nk=\"a'\r\n", "S", "k", "\"a'"},
                                           ReadCase{"lone_quote_kept", "[S]\r\nk=\"\r\n", "S", "k", "\""},
                                           ReadCase{"empty_pair", "[S]\r\nk=\"\"\r\n", "S", "k", ""},
                                           ReadCase{"only_outer_pair", "[S]\r\nk=\"\"a\"\"\r\n", "S", "k", "\"a\""},
                                           ReadCase{"quote_at_one_end", "[S]\r\nk=\"a\r\n", "S", "k", "\"a"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Line ends and the length limit.
INSTANTIATE_TEST_SUITE_P(
    Lines, IniRead,
    ::testing::Values(ReadCase{"lf_only", "[S]\na=1\nb=2\n", "S", "b", "2"},
                      ReadCase{"cr_only", "[S]\ra=1\rb=2\r", "S", "b", "2"},
                      ReadCase{"last_line_without_end", "[S]\r\nb=2", "S", "b", "2"},
                      ReadCase{"value_of_2047_kept", "[S]\r\nk=" + longValue(2047) + "\r\n", "S", "k", longValue(2047)},
                      ReadCase{"value_cut_to_2047", "[S]\r\nk=" + longValue(5000) + "\r\n", "S", "k", longValue(2047)},
                      ReadCase{"cut_counts_characters",
                               "[S]\r\nk=" +
                                   [] {
                                     std::string s;
                                     for (int i = 0; i < 2100; ++i) s += "\xC3\xA9";
                                     return s;
                                   }() +
                                   "\r\n",
                               "S", "k",
                               [] {
                                 std::string s;
                                 for (int i = 0; i < 2047; ++i) s += "\xC3\xA9";
                                 return s;
                               }()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniReadEncoding, WindowsFileIsReadAsCp1252Throughout) {
  // "Fran\xE7ais" is not UTF-8: the whole file, keys included, is taken as Windows-1252.
  IniFile file(
      "[Language]\r\nLanguage=Fran\xE7"
      "ais\r\nDon\x92t=\x80 5\r\n");
  EXPECT_EQ(file.value("Language", "Language"),
            "Fran\xC3\xA7"
            "ais");
  EXPECT_EQ(file.value("Language", "Don\xE2\x80\x99t"), "\xE2\x82\xAC 5");
}

TEST(IniReadEncoding, Utf8FileIsTakenAsItIs) {
  IniFile file(
      "[Language]\r\nLocalized=Fran\xC3\xA7"
      "ais\r\n");
  EXPECT_EQ(file.value("Language", "Localized"),
            "Fran\xC3\xA7"
            "ais");
}

TEST(IniReadEnumeration, SectionsAndKeysInFileOrderFirstSpellingOnce) {
  IniFile file("[One]\r\nb=1\r\nA=2\r\nB=3\r\nno equals\r\n[Two]\r\n[one]\r\nc=4\r\n");
  EXPECT_EQ(file.sections(), (std::vector<std::string>{"One", "Two"}));
  EXPECT_EQ(file.keys("ONE"), (std::vector<std::string>{"b", "A"}));
  EXPECT_TRUE(file.keys("Missing").empty());
}

TEST(IniReadString, DefaultForMissingKeyOrFileWithTrailingBlanksDropped) {
  test::TempDir dir;
  const std::string path = dir.file("a.ini");
  EXPECT_EQ(readString(path, "S", "k", "fallback  "), "fallback");
  test::writeFile(path, "[S]\r\nk=\r\nj=x\r\n");
  EXPECT_EQ(readString(path, "S", "k", "fallback"), "");
  EXPECT_EQ(readString(path, "S", "j", "fallback"), "x");
  EXPECT_EQ(readString(path, "S", "m", " keep leading"), " keep leading");
  EXPECT_EQ(readString(dir.path(), "S", "k", "dir"), "dir");  // a folder is no file
}

TEST(IniReadString, GarbageAndHugeLinesGiveDefaults) {
  std::string garbage;
  for (int i = 0; i < 200000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  IniFile g(garbage);
  EXPECT_FALSE(g.value("S", "k").has_value());
  IniFile huge("[S]\r\nk=" + std::string(4 << 20, '[') + "\r\n");
  EXPECT_EQ(huge.value("S", "k")->size(), IniFile::kMaxValueChars);
  IniFile nul(std::string("[S]\r\nk=a\0b\r\n", 12));
  EXPECT_EQ(nul.value("S", "k"), std::string("a\0b", 3));
}

}  // namespace
}  // namespace corvantel::ini
