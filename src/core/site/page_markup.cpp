#include "core/site/page_markup.h"

#include "core/io/ascii.h"

namespace corvantel::site {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool startsAtNoCase(std::string_view text, std::size_t at, std::string_view word) {
  return text.size() - at >= word.size() && io::equalsIgnoringAsciiCase(text.substr(at, word.size()), word);
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

// The marker word inside a comment's text, without the comment's own "<!--" and "-->".
std::string_view markerWord(std::string_view marker) { return trimmed(marker.substr(4, marker.size() - 7)); }

// The position of the first "</name" (any case) from `at` that ends a raw-text element, or the end.
std::size_t findClosingTag(std::string_view page, std::size_t at, std::string_view name) {
  for (std::size_t i = page.find("</", at); i != std::string_view::npos; i = page.find("</", i + 2)) {
    const std::size_t after = i + 2 + name.size();
    if (startsAtNoCase(page, i + 2, name) && (after >= page.size() || isSpace(page[after]) || page[after] == '>' ||
                                               page[after] == '/')) {
      return i;
    }
  }
  return page.size();
}

struct Attribute {
  std::string name;
  std::string_view value;
};

// Reads the attributes of a start tag from just after its name; returns the position after its ">" (or the
// end). Values in quotes may hold ">".
std::size_t readAttributes(std::string_view page, std::size_t i, std::vector<Attribute>* attributes) {
  const std::size_t n = page.size();
  while (i < n) {
    while (i < n && (isSpace(page[i]) || page[i] == '/')) ++i;
    if (i >= n) break;
    if (page[i] == '>') return i + 1;
    const std::size_t nameStart = i;
    while (i < n && !isSpace(page[i]) && page[i] != '>' && page[i] != '=' && page[i] != '/') ++i;
    if (i == nameStart) ++i;  // a stray "=": skip it
    const std::string_view name = page.substr(nameStart, i - nameStart);
    while (i < n && isSpace(page[i])) ++i;
    std::string_view value;
    if (i < n && page[i] == '=') {
      ++i;
      while (i < n && isSpace(page[i])) ++i;
      if (i < n && (page[i] == '"' || page[i] == '\'')) {
        const char quote = page[i];
        const std::size_t close = page.find(quote, i + 1);
        const std::size_t end = close == std::string_view::npos ? n : close;
        value = page.substr(i + 1, end - i - 1);
        i = end == n ? n : end + 1;
      } else {
        const std::size_t valueStart = i;
        while (i < n && !isSpace(page[i]) && page[i] != '>') ++i;
        value = page.substr(valueStart, i - valueStart);
      }
    }
    if (attributes) attributes->push_back({io::toLowerAscii(name), value});
  }
  return n;
}

// The charset a <meta> tag declares: charset="..." or http-equiv="content-type" content="...; charset=...".
std::string metaCharset(const std::vector<Attribute>& attributes) {
  bool contentType = false;
  std::string_view content;
  for (const Attribute& a : attributes) {
    if (a.name == "charset") return std::string(trimmed(a.value));
    if (a.name == "http-equiv" && io::equalsIgnoringAsciiCase(trimmed(a.value), "content-type")) contentType = true;
    if (a.name == "content") content = a.value;
  }
  if (!contentType) return {};
  const std::string lower = io::toLowerAscii(content);
  const std::size_t at = lower.find("charset");
  if (at == std::string::npos) return {};
  std::size_t i = at + 7;
  while (i < content.size() && isSpace(content[i])) ++i;
  if (i >= content.size() || content[i] != '=') return {};
  ++i;
  while (i < content.size() && (isSpace(content[i]) || content[i] == '"' || content[i] == '\'')) ++i;
  const std::size_t start = i;
  while (i < content.size() && !isSpace(content[i]) && content[i] != ';' && content[i] != '"' && content[i] != '\'') {
    ++i;
  }
  return std::string(content.substr(start, i - start));
}

}  // namespace

PageMarkup scanPage(std::string_view page) {
  PageMarkup markup;
  markup.byteOrderMark = page.substr(0, 3) == "\xEF\xBB\xBF";
  const std::size_t n = page.size();
  std::size_t openMarker = kNotFound;
  std::size_t openMarkerEnd = 0;
  std::size_t i = 0;
  while (i < n) {
    const std::size_t lt = page.find('<', i);
    if (lt == std::string_view::npos) break;
    i = lt;
    if (page.substr(i, 4) == "<!--") {
      const std::size_t close = page.find("-->", i + 4);
      const std::size_t end = close == std::string_view::npos ? n : close + 3;
      const std::string_view comment = page.substr(i, end - i);
      if (close != std::string_view::npos && comment.size() >= 7) {
        const std::string_view word = markerWord(comment);
        if (io::equalsIgnoringAsciiCase(word, markerWord(kMenuStartMarker))) {
          if (openMarker != kNotFound) markup.markersPaired = false;
          openMarker = i;
          openMarkerEnd = end;
        } else if (io::equalsIgnoringAsciiCase(word, markerWord(kMenuEndMarker))) {
          if (openMarker == kNotFound) {
            markup.markersPaired = false;
          } else {
            markup.markers.push_back({openMarker, openMarkerEnd, i});
            openMarker = kNotFound;
          }
        }
      }
      i = end;
    } else if (i + 1 < n && (page[i + 1] == '!' || page[i + 1] == '?')) {
      const std::size_t close = page.find('>', i + 2);
      i = close == std::string_view::npos ? n : close + 1;
    } else if (i + 1 < n && page[i + 1] == '/') {
      if (markup.headEnd == kNotFound && startsAtNoCase(page, i + 2, "head") &&
          (i + 6 >= n || isSpace(page[i + 6]) || page[i + 6] == '>')) {
        markup.headEnd = i;
      }
      const std::size_t close = page.find('>', i + 2);
      i = close == std::string_view::npos ? n : close + 1;
    } else if (i + 1 < n && io::isAsciiLetter(page[i + 1])) {
      std::size_t nameEnd = i + 1;
      while (nameEnd < n && !isSpace(page[nameEnd]) && page[nameEnd] != '>' && page[nameEnd] != '/') ++nameEnd;
      const std::string name = io::toLowerAscii(page.substr(i + 1, nameEnd - i - 1));
      std::vector<Attribute> attributes;
      const bool meta = name == "meta" && markup.charset.empty();
      const std::size_t end = readAttributes(page, nameEnd, meta ? &attributes : nullptr);
      if (meta) markup.charset = metaCharset(attributes);
      if (name == "body" && markup.bodyStart == kNotFound) {
        markup.bodyStart = i;
        markup.bodyOpenEnd = end;
      }
      i = end;
      if (name == "script" || name == "style" || name == "textarea" || name == "title" || name == "xmp") {
        i = findClosingTag(page, i, name);
      }
    } else {
      ++i;
    }
  }
  if (openMarker != kNotFound) markup.markersPaired = false;
  return markup;
}

}  // namespace corvantel::site
