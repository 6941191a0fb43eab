#include "core/site/navigation_import_caption.h"

#include "core/io/ascii.h"

namespace corvantel::site {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

}  // namespace

void CaptionBuilder::flushBlank() {
  if (!m_pendingBlank) return;
  m_pendingBlank = false;
  if (m_endsWithBlank || m_visible == 0) return;
  m_out += ' ';
  ++m_visible;
  m_endsWithBlank = true;
}

void CaptionBuilder::blank() {
  if (m_visible > 0) m_pendingBlank = true;
}

void CaptionBuilder::text(std::string_view utf8) {
  std::size_t i = 0;
  while (i < utf8.size()) {
    const char c = utf8[i];
    if (isBlank(c)) {
      blank();
      ++i;
      continue;
    }
    // One character: the lead byte and its continuation bytes.
    std::size_t end = i + 1;
    while (end < utf8.size() && isContinuation(utf8[end])) ++end;
    const std::string_view character = utf8.substr(i, end - i);
    i = end;
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) continue;  // other control characters
    if (m_full) {
      m_shortened = true;
      continue;
    }
    flushBlank();
    if (m_visible >= m_max) {
      m_full = true;
      m_shortened = true;
      m_out += kEllipsis;
      continue;
    }
    switch (c) {
      case '&': {
        // A bare "&" reads as itself where no reference could start (the tree then shows "Lamps & lights"
        // as the author would type it); before a letter, digit or "#", or at the end of this text, where
        // the next text may follow directly, it is written as a reference.
        const char next = i < utf8.size() ? utf8[i] : 'x';
        const bool bare = !(next == '#' || io::isAsciiDigit(next) || io::isAsciiLetter(next));
        m_out += bare ? "&" : "&amp;";
        break;
      }
      case '<': m_out += "&lt;"; break;
      case '>': m_out += "&gt;"; break;
      default: m_out += character;
    }
    ++m_visible;
    m_endsWithBlank = false;
  }
}

void CaptionBuilder::open(const char* tag) {
  if (m_full) tag = nullptr;
  const bool endedWithBlank = m_endsWithBlank;
  const std::size_t before = m_out.size();
  if (tag) flushBlank();
  m_open.push_back({tag, m_out.size(), m_visible, endedWithBlank, m_out.size() != before});
  if (tag) (m_out += '<') += tag, m_out += '>';
}

void CaptionBuilder::close() {
  if (m_open.empty()) return;
  const Open element = m_open.back();
  m_open.pop_back();
  if (!element.tag) return;
  if (m_visible == element.visible) {
    // Nothing to see inside: the element goes, and the text ends as it did before it.
    m_out.resize(element.position);
    m_endsWithBlank = element.endsWithBlank;
    if (element.blankBefore) {
      m_out.pop_back();
      --m_visible;
      m_pendingBlank = true;
    }
    return;
  }
  ((m_out += "</") += element.tag) += '>';
}

std::string CaptionBuilder::finish() {
  while (!m_open.empty()) close();
  return m_out;
}

}  // namespace corvantel::site
