#include "core/site/navigation_import_depth.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "core/io/ascii.h"

namespace corvantel::site {

namespace {

bool endsTagName(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '/' || c == '>'; }

bool inList(std::string_view name, std::initializer_list<std::string_view> names) {
  for (std::string_view n : names) {
    if (n == name) return true;
  }
  return false;
}

// Elements that never hold others, and those whose end tags may be left out: the parser closes them by
// itself, so they do not pile up however they are written.
bool isUncounted(std::string_view name) {
  return inList(name, {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "img", "input",
                       "keygen", "link", "meta", "param", "source", "track", "wbr", "li", "p", "dt", "dd", "option",
                       "optgroup", "tr", "td", "th", "thead", "tbody", "tfoot", "colgroup", "caption", "rb", "rt",
                       "rtc", "rp", "html", "head", "body"});
}

// Elements whose content is text up to their own end tag.
bool isRawText(std::string_view name) {
  return inList(name, {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes"});
}

// Elements that a second start tag closes before it opens (an <a> never nests in another).
bool closesItsOwnKind(std::string_view name) { return inList(name, {"a", "nobr", "button", "form"}); }

// Elements that an end tag of an element outside them cannot close: the parser ignores a </div> met
// inside a table (in one of its cells) or an object.
bool isScopeBoundary(std::string_view name) {
  return inList(name, {"table", "object", "applet", "marquee", "template"});
}

class DepthScan {
 public:
  explicit DepthScan(std::size_t stopAbove) : m_stopAbove(stopAbove) {}

  std::size_t run(std::string_view html) {
    std::size_t i = 0;
    const std::size_t n = html.size();
    while (i < n && m_deepest <= m_stopAbove) {
      const std::size_t lt = html.find('<', i);
      if (lt == std::string_view::npos || lt + 1 >= n) break;
      const char next = html[lt + 1];
      if (html.compare(lt, 4, "<!--") == 0) {
        i = skipPast(html, lt + 4, "-->");
      } else if (next == '!' || next == '?') {
        i = skipPast(html, lt + 2, ">");
      } else if (next == '/') {
        if (lt + 2 < n && io::isAsciiLetter(html[lt + 2])) {
          const std::size_t nameEnd = tagNameEnd(html, lt + 2);
          close(io::toLowerAscii(html.substr(lt + 2, nameEnd - lt - 2)));
          i = skipPast(html, nameEnd, ">");
        } else {
          i = skipPast(html, lt + 2, ">");
        }
      } else if (io::isAsciiLetter(next)) {
        i = startTag(html, lt + 1);
      } else {
        i = lt + 1;
      }
    }
    return m_deepest;
  }

 private:
  static std::size_t skipPast(std::string_view html, std::size_t from, std::string_view end) {
    const std::size_t at = html.find(end, from);
    return at == std::string_view::npos ? html.size() : at + end.size();
  }
  static std::size_t tagNameEnd(std::string_view html, std::size_t from) {
    while (from < html.size() && !endsTagName(html[from])) ++from;
    return from;
  }

  // The start tag whose name begins at `at`; returns where the scan goes on.
  std::size_t startTag(std::string_view html, std::size_t at) {
    const std::size_t nameEnd = tagNameEnd(html, at);
    const std::string name = io::toLowerAscii(html.substr(at, nameEnd - at));
    // The end of the tag, past attribute values in quotes.
    std::size_t p = nameEnd;
    bool selfClosing = false;
    while (p < html.size() && html[p] != '>') {
      if (html[p] == '=') {
        ++p;
        while (p < html.size() && (html[p] == ' ' || html[p] == '\t' || html[p] == '\n' || html[p] == '\r')) ++p;
        if (p < html.size() && (html[p] == '"' || html[p] == '\'')) {
          const std::size_t closing = html.find(html[p], p + 1);
          p = closing == std::string_view::npos ? html.size() : closing + 1;
        }
        continue;
      }
      selfClosing = html[p] == '/';
      ++p;
    }
    const std::size_t after = p < html.size() ? p + 1 : html.size();
    if (name == "plaintext") return html.size();
    if (isRawText(name)) {
      // Up to the element's own end tag, compared without regard to case.
      for (std::size_t q = html.find("</", after); q != std::string_view::npos; q = html.find("</", q + 2)) {
        const std::size_t end = tagNameEnd(html, q + 2);
        if (io::equalsIgnoringAsciiCase(html.substr(q + 2, end - q - 2), name)) return skipPast(html, end, ">");
      }
      return html.size();
    }
    if (isUncounted(name)) return after;
    // "<x/>" closes itself only in the markup of drawings and formulas; an HTML element stays open.
    if (selfClosing && m_foreign > 0) return after;
    if (closesItsOwnKind(name)) close(name);
    push(name);
    return after;
  }

  void push(const std::string& name) {
    m_positions[name].push_back(m_stack.size());
    if (isScopeBoundary(name)) m_boundaries.push_back(m_stack.size());
    if (name == "svg" || name == "math") ++m_foreign;
    m_stack.push_back(name);
    if (m_stack.size() > m_deepest) m_deepest = m_stack.size();
  }

  // An end tag closes its element and everything still open inside it, unless a table or the like stands
  // between; one without an open element goes. The positions of the open elements of each name make that
  // decision without a walk down the stack.
  void close(const std::string& name) {
    const auto it = m_positions.find(name);
    if (it == m_positions.end() || it->second.empty()) return;
    const std::size_t at = it->second.back();
    if (!m_boundaries.empty() && m_boundaries.back() > at) return;
    while (m_stack.size() > at) {
      const std::string top = std::move(m_stack.back());
      m_stack.pop_back();
      m_positions[top].pop_back();
      if (!m_boundaries.empty() && m_boundaries.back() == m_stack.size()) m_boundaries.pop_back();
      if (top == "svg" || top == "math") --m_foreign;
    }
  }

  std::size_t m_stopAbove;
  std::size_t m_deepest = 0;
  std::size_t m_foreign = 0;
  std::vector<std::string> m_stack;
  std::unordered_map<std::string, std::vector<std::size_t>> m_positions;  // of the open elements, by name
  std::vector<std::size_t> m_boundaries;                                   // positions of the open boundaries
};

}  // namespace

std::size_t estimatedNestingDepth(std::string_view html, std::size_t stopAbove) {
  return DepthScan(stopAbove).run(html);
}

}  // namespace corvantel::site
