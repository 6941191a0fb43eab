#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/document/project_settings.h"

namespace corvantel::palette {

// A colour typed by the user: "#RRGGBB", the short "#RGB" ("#36C" is "#3366CC") or three numbers from
// 0 to 255 as "R, G, B". Blanks around the text and around the numbers do not count; the hexadecimal
// digits may be of either case. Anything else gives no colour.
std::optional<document::Color> parseColorText(std::string_view text);

// A plain colour as "#RRGGBB" (upper-case digits; the high byte is ignored).
std::string hexColorText(document::Color color);

}  // namespace corvantel::palette
