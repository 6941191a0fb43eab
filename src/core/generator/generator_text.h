#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvantel::generator {

// The six hexadecimal digits of a colour in generated files, red-green-blue order: the value's upper-case
// hexadecimal digits (at least six, the value taken as unsigned) with the pairs 5-6, 3-4 and 1-2 in that
// order. 0xFFF7EF gives "EFF7FF".
std::string colorToHex(std::int32_t color);

// The text with a backslash before every double quote and every backslash (for script strings).
std::string escapeQuotes(std::string_view text);

// The text with every double quote written as &quot; (for a double-quoted HTML attribute).
std::string quoteAttribute(std::string_view text);

}  // namespace corvantel::generator
