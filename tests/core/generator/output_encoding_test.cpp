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
    EXPECT_EQ(e.charsetName(), generator::writtenEncoding(name).empty() ? "UTF-8" : generator::writtenEncoding(name));
    std::string out;
    e.append(out, "HM_Array1 = [\r\n", generator::Unencodable::ScriptEscape);
    e.finish(out);
    EXPECT_EQ(gentest::toUtf8(out, e.charsetName().c_str()), "HM_Array1 = [\r\n");
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

TEST(OutputEncoding, EncodingsBrowsersNoLongerReadAreReplacedWithAWarning) {
  for (const std::string& name : document::encodingNames()) {
    const bool replaced = name == "ISO-2022-KR" || name == "ISO-2022-JP-2";
    EXPECT_EQ(generator::encodingSubstitutionWarning(name).empty(), !replaced) << name;
  }
  EXPECT_EQ(generator::OutputEncoding("ISO-2022-KR").charsetName(), "EUC-KR");
  EXPECT_EQ(generator::OutputEncoding("ISO-2022-JP-2").charsetName(), "UTF-8");
  EXPECT_NE(generator::encodingSubstitutionWarning("ISO-2022-KR").find("EUC-KR"), std::string::npos);
}

// Every character that a converter writes as something that reads back as another character (the yen
// sign as a backslash, the overline as a tilde in the Japanese encodings) is escaped instead, in page text
// and in script strings, so that the page shows what was written and no string ends early.
TEST(OutputEncoding, CharactersThatDoNotReadBackAreEscaped) {
  std::size_t lossyJapanese = 0;
  for (const std::string& name : document::encodingNames()) {
    const std::string written = generator::writtenEncoding(name);
    if (written == "UTF-8") continue;
    SCOPED_TRACE(name);
    const std::string converter = generator::converterName(written);
    iconv_t to = iconv_open(converter.c_str(), "UTF-32LE");
    iconv_t from = iconv_open("UTF-32LE", converter.c_str());
    ASSERT_NE(to, reinterpret_cast<iconv_t>(-1));
    ASSERT_NE(from, reinterpret_cast<iconv_t>(-1));
    std::string text;
    std::string page;
    std::string script;
    for (char32_t cp = 0x80; cp < 0x10000; ++cp) {
      if (cp >= 0xD800 && cp <= 0xDFFF) continue;
      char32_t unit = cp;
      char bytes[32];
      char* in = reinterpret_cast<char*>(&unit);
      std::size_t inLeft = 4;
      char* o = bytes;
      std::size_t outLeft = sizeof bytes;
      iconv(to, nullptr, nullptr, nullptr, nullptr);
      if (iconv(to, &in, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1)) continue;  // not held at all
      iconv(to, nullptr, nullptr, &o, &outLeft);
      char32_t back[8];
      char* bi = bytes;
      std::size_t biLeft = sizeof bytes - outLeft;
      char* bo = reinterpret_cast<char*>(back);
      std::size_t boLeft = sizeof back;
      iconv(from, nullptr, nullptr, nullptr, nullptr);
      const bool decoded = iconv(from, &bi, &biLeft, &bo, &boLeft) != static_cast<std::size_t>(-1) &&
                           iconv(from, nullptr, nullptr, &bo, &boLeft) != static_cast<std::size_t>(-1);
      if (decoded && sizeof back - boLeft == 4 && back[0] == cp) continue;  // reads back as itself
      std::string utf8 = gentest::toUtf8(std::string(reinterpret_cast<char*>(&unit), 4), "UTF-32LE");
      text += utf8 + "\"";
      page += generator::unencodableText(cp, generator::Unencodable::CharacterReference) + "\"";
      script += generator::unencodableText(cp, generator::Unencodable::ScriptEscape) + "\"";
      if (name == "Shift_JIS" || name == "EUC-JP") ++lossyJapanese;
    }
    iconv_close(to);
    iconv_close(from);
    EXPECT_EQ(gentest::toUtf8(encode(name, text, generator::Unencodable::CharacterReference), converter.c_str()), page);
    EXPECT_EQ(gentest::toUtf8(encode(name, text, generator::Unencodable::ScriptEscape), converter.c_str()), script);
  }
  EXPECT_GE(lossyJapanese, 4u);  // at least the yen sign and the overline in each
  EXPECT_EQ(gentest::toUtf8(encode("Shift_JIS", "Price \xC2\xA5" "500", generator::Unencodable::ScriptEscape), "CP932"),
            "Price \\u00A5500");
}
