#include <gtest/gtest.h>

#include "core/document/project_settings.h"
#include "core/generator/output_encoding.h"
#include "generator_test_util.h"

using namespace corvantel;

namespace {
std::string encode(const std::string& encoding, std::string_view text, generator::Unencodable mode) {
  generator::OutputEncoding e(encoding);
  std::string out;
  e.append(out, text, mode);
  e.finish(out);
  return out;
}
}  // namespace

TEST(OutputEncoding, EveryListedEncodingHasAConverterThatKeepsAscii) {
  for (const std::string& name : document::encodingNames()) {
    SCOPED_TRACE(name);
    generator::OutputEncoding e(name);
    EXPECT_EQ(e.charsetName(), name);
    std::string out;
    e.append(out, "HM_Array1 = [\r\n", generator::Unencodable::ScriptEscape);
    e.finish(out);
    EXPECT_EQ(gentest::toUtf8(out, name.c_str()), "HM_Array1 = [\r\n");
  }
}

TEST(OutputEncoding, StatefulEncodingsReturnToAsciiAroundReplacements) {
  // Japanese text, a character ISO-2022-JP lacks (é), Japanese again, then ASCII.
  const std::string text = "\xE3\x83\xA1\xC3\xA9\xE3\x83\x8B ok";
  const std::string bytes = encode("ISO-2022-JP", text, generator::Unencodable::CharacterReference);
  EXPECT_EQ(gentest::toUtf8(bytes, "ISO-2022-JP"), "\xE3\x83\xA1&#233;\xE3\x83\x8B ok");
  EXPECT_EQ(bytes.substr(bytes.size() - 3), " ok");  // ends in the initial (ASCII) state
}

TEST(OutputEncoding, BrokenUtf8BecomesTheReplacementCharacter) {
  const std::string broken = "a\xFF" "b\xC3" "c\xED\xA0\x80" "d\xE2\x82";  // stray, cut off, surrogate, truncated
  EXPECT_EQ(encode("", broken, generator::Unencodable::CharacterReference),
            "a\xEF\xBF\xBD" "b\xEF\xBF\xBD" "c\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" "d\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(encode("ISO8859-1", "a\xFF" "b", generator::Unencodable::CharacterReference), "a&#65533;b");
  EXPECT_EQ(encode("Shift_JIS", "a\xFF" "b", generator::Unencodable::ScriptEscape), "a\\uFFFDb");
}

TEST(OutputEncoding, ScriptEscapesUseUtf16Units) {
  EXPECT_EQ(generator::unencodableText(0x20AC, generator::Unencodable::ScriptEscape), "\\u20AC");
  EXPECT_EQ(generator::unencodableText(0x1F600, generator::Unencodable::ScriptEscape), "\\uD83D\\uDE00");
  EXPECT_EQ(generator::unencodableText(0xE9, generator::Unencodable::ScriptEscape), "\\u00E9");
  EXPECT_EQ(generator::unencodableText(0x1F600, generator::Unencodable::CharacterReference), "&#128512;");
  EXPECT_EQ(encode("US-ASCII", "\xC3\xA9t\xC3\xA9", generator::Unencodable::ScriptEscape), "\\u00E9t\\u00E9");
}

TEST(OutputEncoding, LongTextConvertsWhole) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "\xD0\x96x";  // Жx
  const std::string bytes = encode("KOI8-R", text, generator::Unencodable::CharacterReference);
  EXPECT_EQ(bytes.size(), 40000u);
  EXPECT_EQ(gentest::toUtf8(bytes, "KOI8-R"), text);
}
