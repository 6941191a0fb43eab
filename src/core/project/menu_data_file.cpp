#include "core/project/menu_data_file.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/error.h"
#include "core/io/file_io.h"
#include "core/io/text_codec.h"
#include "core/io/utf8.h"

namespace corvantel::project {

// The menu data file
// ------------------
// UTF-8 text, one line per item, items in depth-first order (each item followed by its whole subtree
// before its next sibling), starting with the first top-level item. A line is:
//
//   <depth tab characters> [<marker>] <item text> CR LF
//
// where the depth is 0 for a top-level item, 1 for a child of one, and so on, and the item text is
// caption, tab, address. The reader takes the count of tabs and blanks at the start of a line as its
// level, so a text that itself begins with a tab (an empty caption, as in every newly added item) or a
// blank would come back one or more levels deeper with its leading characters lost. Such a text, and a
// text that begins with the marker, is written with the marker directly after the indentation:
//
//   marker = U+2402 SYMBOL FOR START OF TEXT, the bytes E2 90 82.
//
// The reader drops one marker found directly after a line's indentation and takes the rest of the line,
// blanks and tabs included, as the text. The marker is not a character of Windows-1252, so the 8-bit
// files of older copies of the program never hold it and read exactly as before; every other line is
// written in the older form. A line break inside a text would end its line: CR and LF in a text are
// written as blanks.

namespace {

constexpr std::string_view kMarker = "\xE2\x90\x82";
constexpr std::size_t kMaxTextInMessage = 200;

bool needsMarker(std::string_view text) {
  return !text.empty() && (text.front() == '\t' || text.front() == ' ' || text.starts_with(kMarker));
}

// `text` cut to at most `max` bytes at a character boundary, for an error message.
std::string shortened(std::string_view text, std::size_t max) {
  if (text.size() <= max) return std::string(text);
  std::size_t cut = max;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return std::string(text.substr(0, cut)) + "...";
}

}  // namespace

std::string menuDataPath(const std::string& settingsPath) {
  const std::size_t slash = settingsPath.rfind(io::kPathSeparator);
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = settingsPath.rfind('.');
  if (dot == std::string::npos || dot < nameStart) return settingsPath + ".cvd";
  return settingsPath.substr(0, dot) + ".cvd";
}

std::string menuDataBytes(const document::MenuTree& tree) {
  // One walk over the tree: a second walk to size the text first costs more (the items are scattered in
  // memory) than the string's own growth, which copies contiguous bytes.
  std::string out;
  out.reserve(4096);
  tree.forEach([&out](const document::MenuItem& item, int depth) {
    out.append(static_cast<std::size_t>(depth), '\t');
    const std::string& text = item.text();
    if (needsMarker(text)) out.append(kMarker);
    const std::size_t start = out.size();
    out.append(text);
    if (text.find('\r') != std::string::npos || text.find('\n') != std::string::npos) {
      for (std::size_t i = start; i < out.size(); ++i) {
        if (out[i] == '\r' || out[i] == '\n') out[i] = ' ';
      }
    }
    out.append("\r\n");
  });
  return out;
}

namespace {

// An item's text as an error message shows it: tabs and other control characters as blanks, cut short.
std::string textForMessage(std::string_view text) {
  std::string out = shortened(text, kMaxTextInMessage);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') c = ' ';
  }
  return out;
}

}  // namespace

void readMenuData(std::string_view text, document::MenuTree& into, const std::string& source) {
  std::size_t lineNumber = 0;
  // path[d] is the item most recently read at depth d; path.size() - 1 is the previous item's depth.
  std::vector<document::MenuItem*> path;
  const std::size_t n = text.size();
  std::size_t pos = 0;
  while (pos < n) {
    std::size_t end = pos;
    while (end < n && text[end] != '\r' && text[end] != '\n') ++end;
    std::string_view line = text.substr(pos, end - pos);
    ++lineNumber;
    pos = end;
    if (pos < n) pos += (text[pos] == '\r' && pos + 1 < n && text[pos + 1] == '\n') ? 2 : 1;

    std::size_t level = 0;
    while (level < line.size() && (line[level] == '\t' || line[level] == ' ')) ++level;
    std::string_view itemText = line.substr(level);
    if (itemText.starts_with(kMarker)) itemText.remove_prefix(kMarker.size());

    if (path.empty()) {
      path.push_back(into.append(nullptr, std::string(itemText), 0));
      continue;
    }
    const std::size_t previous = path.size() - 1;
    if (level > previous + 1) {
      std::string message = fillMessage(fillMessage("Invalid level (%d) for item \"%s\"", std::to_string(level)),
                                        textForMessage(itemText));
      message += " in line " + std::to_string(lineNumber);
      if (!source.empty()) message += " of " + source;
      throw Error(message);
    }
    document::MenuItem* parent = level == previous + 1 ? path[previous] : path[level]->parent();
    path.resize(level + 1);
    path[level] = into.append(parent, std::string(itemText), 0);
  }
}

namespace {

// Whether every byte is below 0x80, eight bytes at a time: most files are plain ASCII, and the full
// UTF-8 check is needed only for the others.
bool isAscii(std::string_view bytes) {
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    if (word & 0x8080808080808080ull) return false;
  }
  for (; i < bytes.size(); ++i) {
    if (static_cast<unsigned char>(bytes[i]) & 0x80) return false;
  }
  return true;
}

}  // namespace

void readMenuDataBytes(std::string_view bytes, document::MenuTree& into, const std::string& source) {
  if (isAscii(bytes) || io::isValidUtf8(bytes)) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    readMenuData(bytes, into, source);
  } else {
    readMenuData(io::windows1252ToUtf8(bytes), into, source);
  }
}

void readMenuDataFile(const std::string& path, document::MenuTree& into) {
  std::optional<std::string> bytes = io::readFileBytes(path);
  if (!bytes) throw Error(fillMessage("Cannot open file %s", path));
  readMenuDataBytes(*bytes, into, path);
}

void writeMenuDataFile(const std::string& path, const document::MenuTree& tree) {
  io::writeFileAtomic(path, menuDataBytes(tree), "Cannot create file %s");
}

}  // namespace corvantel::project
