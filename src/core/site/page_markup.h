#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvantel::site {

// The comments that enclose the menu's part of a page.
inline constexpr std::string_view kMenuStartMarker = "<!-- corvantel menu -->";
inline constexpr std::string_view kMenuEndMarker = "<!-- /corvantel menu -->";

inline constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

// One pair of marker comments: the menu's part is [contentStart, contentEnd).
struct MarkerPair {
  std::size_t start = 0;         // where the opening comment begins
  std::size_t contentStart = 0;  // just after the opening comment
  std::size_t contentEnd = 0;    // where the closing comment begins
};

// What the insertion needs to know of a page. Found by one scan over the bytes that skips comments and the
// raw text of script, style, textarea and title elements, with tag names compared without regard to case.
struct PageMarkup {
  std::size_t headEnd = kNotFound;    // where the first </head> tag begins
  std::size_t bodyStart = kNotFound;  // where the first <body> tag begins
  std::size_t bodyOpenEnd = kNotFound;  // just after that tag's ">"
  std::string charset;                // the first <meta charset> or content-type declaration, as written
  bool byteOrderMark = false;         // the page starts with the UTF-8 byte order mark
  std::vector<MarkerPair> markers;
  bool markersPaired = true;          // false when a marker comment has no partner or pairs are nested
};

PageMarkup scanPage(std::string_view page);

}  // namespace corvantel::site
