#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8, the program's text encoding in memory: decoding one character, checking whole texts, encoding one
// character. Everything in the program that looks at the characters of a text goes through these.
namespace corvantel::io {

// Decodes one UTF-8 sequence at the start of `bytes`. Returns its length (0 when `bytes` is empty) and sets
// `codePoint`; an invalid or truncated sequence (overlong forms, surrogates and values above U+10FFFF
// included) gives length 1 and U+FFFD.
std::size_t decodeUtf8(std::string_view bytes, char32_t& codePoint);

// Whether every sequence of `bytes` decodes (ASCII and the empty text included).
bool isValidUtf8(std::string_view bytes);

// Appends the UTF-8 form of `codePoint` (a Unicode scalar value) to `out`.
void appendUtf8(std::string& out, char32_t codePoint);

}  // namespace corvantel::io
