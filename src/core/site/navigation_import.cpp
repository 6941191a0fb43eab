#include "core/site/navigation_import.h"

#include <gumbo.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "core/error.h"
#include "core/io/ascii.h"
#include "core/io/file_io.h"
#include "core/io/text_codec.h"
#include "core/io/utf8.h"

namespace corvantel::site {

namespace {

using document::MenuItem;
using document::MenuTree;

constexpr int kImportedPicture = 0;  // the picture of items read from a file

// Gumbo's own teardown recurses over the tree, which a deeply nested page would overflow. Its nodes are
// taken from this arena instead, which lets go of all of them at once without walking the tree.
class Arena {
 public:
  Arena() = default;
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;
  ~Arena() {
    for (void* block : m_blocks) std::free(block);
  }

  static void* allocate(void* self, std::size_t size) { return static_cast<Arena*>(self)->take(size); }
  static void release(void*, void*) {}

 private:
  static constexpr std::size_t kChunk = 256 * 1024;
  static constexpr std::size_t kAlign = alignof(std::max_align_t);

  void* take(std::size_t size) {
    size = (size + kAlign - 1) / kAlign * kAlign;
    if (size == 0) size = kAlign;
    if (size > kChunk / 4) return keep(std::malloc(size));
    if (m_free < size) {
      m_next = static_cast<char*>(keep(std::malloc(kChunk)));
      m_free = kChunk;
    }
    void* out = m_next;
    m_next += size;
    m_free -= size;
    return out;
  }
  void* keep(void* block) {
    if (!block) throw std::bad_alloc();
    m_blocks.push_back(block);
    return block;
  }

  std::vector<void*> m_blocks;
  char* m_next = nullptr;
  std::size_t m_free = 0;
};

class ParsedPage {
 public:
  explicit ParsedPage(std::string_view utf8) : m_text(utf8) {
    m_options = kGumboDefaultOptions;
    m_options.allocator = &Arena::allocate;
    m_options.deallocator = &Arena::release;
    m_options.userdata = &m_arena;
    m_options.max_errors = 0;
    m_output = gumbo_parse_with_options(&m_options, m_text.data(), m_text.size());
  }
  ParsedPage(const ParsedPage&) = delete;
  ParsedPage& operator=(const ParsedPage&) = delete;
  // Nothing to destroy: the arena frees every node.

  const GumboNode* root() const { return m_output->root; }

 private:
  std::string m_text;
  Arena m_arena;
  GumboOptions m_options{};
  GumboOutput* m_output = nullptr;
};

bool isElement(const GumboNode* node, GumboTag tag) {
  return node->type == GUMBO_NODE_ELEMENT && node->v.element.tag == tag;
}
bool isList(const GumboNode* node) { return isElement(node, GUMBO_TAG_UL) || isElement(node, GUMBO_TAG_OL); }
bool isLink(const GumboNode* node) {
  return isElement(node, GUMBO_TAG_A) && gumbo_get_attribute(&node->v.element.attributes, "href");
}
const GumboVector* childrenOf(const GumboNode* node) {
  if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE) return &node->v.element.children;
  if (node->type == GUMBO_NODE_DOCUMENT) return &node->v.document.children;
  return nullptr;
}
const GumboNode* childAt(const GumboVector* children, unsigned i) {
  return static_cast<const GumboNode*>(children->data[i]);
}
// Elements whose content is never caption text.
bool isHidden(const GumboNode* node) {
  if (node->type != GUMBO_NODE_ELEMENT) return false;
  switch (node->v.element.tag) {
    case GUMBO_TAG_SCRIPT:
    case GUMBO_TAG_STYLE:
    case GUMBO_TAG_TEMPLATE:
    case GUMBO_TAG_NOSCRIPT:
    case GUMBO_TAG_SVG:
    case GUMBO_TAG_MATH:
      return true;
    default:
      return node->v.element.tag_namespace != GUMBO_NAMESPACE_HTML;
  }
}

// Visits the subtree below `node` parent-first, in document order, without recursion. `visit` returns
// whether to go into the node's children.
template <typename Visit>
void walkBelow(const GumboNode* node, Visit visit) {
  std::vector<std::pair<const GumboNode*, unsigned>> stack{{node, 0}};
  while (!stack.empty()) {
    auto& [parent, next] = stack.back();
    const GumboVector* children = childrenOf(parent);
    if (!children || next >= children->length) {
      stack.pop_back();
      continue;
    }
    const GumboNode* child = childAt(children, next++);
    if (visit(child) && childrenOf(child)) stack.emplace_back(child, 0);
  }
}

std::size_t countLinks(const GumboNode* node) {
  std::size_t n = 0;
  walkBelow(node, [&](const GumboNode* child) {
    if (isLink(child)) ++n;
    return true;
  });
  return n;
}

// Inline elements a caption keeps (as bare tags, without attributes).
const char* keptInlineTag(const GumboNode* node) {
  switch (node->v.element.tag) {
    case GUMBO_TAG_B:
    case GUMBO_TAG_STRONG:
    case GUMBO_TAG_I:
    case GUMBO_TAG_EM:
    case GUMBO_TAG_U:
    case GUMBO_TAG_S:
    case GUMBO_TAG_SMALL:
    case GUMBO_TAG_BIG:
    case GUMBO_TAG_SUB:
    case GUMBO_TAG_SUP:
    case GUMBO_TAG_SPAN:
    case GUMBO_TAG_CODE:
    case GUMBO_TAG_MARK:
    case GUMBO_TAG_ABBR:
      return gumbo_normalized_tagname(node->v.element.tag);
    default:
      return nullptr;
  }
}

void appendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\t': case '\n': case '\r': case '\f': out += ' '; break;
      default: out += c;
    }
  }
}

// Blanks (and the line breaks and tabs a caption cannot hold) run together into one blank, none at the
// ends; an inline element left with nothing inside it goes.
std::string tidyCaption(const std::string& raw) {
  std::string out;
  bool blank = false;
  for (char c : raw) {
    if (c == ' ') {
      blank = true;
      continue;
    }
    if (blank && !out.empty()) out += ' ';
    blank = false;
    out += c;
  }
  // Drop empty pairs such as "<b></b>" (repeatedly, for nested ones).
  for (bool again = true; again;) {
    again = false;
    for (std::size_t open = out.find('<'); open != std::string::npos; open = out.find('<', open + 1)) {
      const std::size_t close = out.find('>', open);
      if (close == std::string::npos || out[open + 1] == '/') continue;
      const std::string end = "</" + out.substr(open + 1, close - open);
      if (out.compare(close + 1, end.size(), end) == 0) {
        out.erase(open, close + 1 - open + end.size());
        again = true;
        break;
      }
    }
  }
  return out;
}

// The caption of the content below `node`, leaving out the lists below it (they are submenus) and, when
// `skipLinks`, links (an entry's text around its first link is not part of another item).
std::string captionOf(const GumboNode* node, bool skipLinks) {
  std::string raw;
  // Closing tags are written when the walk leaves an element: a stack of what is open.
  struct Open {
    const GumboNode* node;
    unsigned next;
    const char* tag;
  };
  std::vector<Open> stack{{node, 0, nullptr}};
  while (!stack.empty()) {
    Open& top = stack.back();
    const GumboVector* children = childrenOf(top.node);
    if (!children || top.next >= children->length) {
      if (top.tag) raw += std::string("</") + top.tag + ">";
      stack.pop_back();
      continue;
    }
    const GumboNode* child = childAt(children, top.next++);
    switch (child->type) {
      case GUMBO_NODE_TEXT:
      case GUMBO_NODE_WHITESPACE:
      case GUMBO_NODE_CDATA:
        appendEscaped(raw, child->v.text.text);
        break;
      case GUMBO_NODE_ELEMENT: {
        if (isHidden(child) || isList(child) || (skipLinks && isLink(child))) break;
        if (isElement(child, GUMBO_TAG_IMG)) {
          if (const GumboAttribute* alt = gumbo_get_attribute(&child->v.element.attributes, "alt")) {
            appendEscaped(raw, alt->value);
          }
          break;
        }
        if (isElement(child, GUMBO_TAG_BR)) {
          raw += ' ';
          break;
        }
        const char* tag = keptInlineTag(child);
        if (tag) raw += std::string("<") + tag + ">";
        stack.push_back({child, 0, tag});
        break;
      }
      default:
        break;
    }
  }
  return tidyCaption(raw);
}

// The address as written, without the tabs and line breaks a browser drops from it too.
std::string addressOf(const GumboNode* link) {
  const GumboAttribute* href = gumbo_get_attribute(&link->v.element.attributes, "href");
  std::string out;
  for (const char* p = href->value; *p; ++p) {
    if (*p != '\t' && *p != '\n' && *p != '\r') out += *p;
  }
  const std::size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of(' ') + 1 - first);
}

// The list entries that belong to `list`: its <li> elements, also where broken markup wrapped them in
// something else, but not those of a list inside it.
std::vector<const GumboNode*> entriesOf(const GumboNode* list) {
  std::vector<const GumboNode*> out;
  walkBelow(list, [&](const GumboNode* child) {
    if (isElement(child, GUMBO_TAG_LI)) {
      out.push_back(child);
      return false;
    }
    return child->type == GUMBO_NODE_ELEMENT && !isList(child) && !isHidden(child);
  });
  return out;
}

// What an entry holds: its first link, and the lists and further links directly in it.
struct EntryParts {
  const GumboNode* link = nullptr;
  std::vector<const GumboNode*> lists;
  std::size_t otherLinks = 0;
};
EntryParts partsOf(const GumboNode* entry) {
  EntryParts parts;
  walkBelow(entry, [&](const GumboNode* child) {
    if (isList(child)) {
      parts.lists.push_back(child);
      return false;
    }
    if (isLink(child)) {
      if (parts.link) {
        ++parts.otherLinks;
      } else {
        parts.link = child;
      }
      return false;
    }
    return !isHidden(child) && !isElement(child, GUMBO_TAG_LI);
  });
  return parts;
}

// Builds the items of `lists` under `parent`, breadth by breadth, with a queue instead of recursion.
void buildFromLists(MenuTree& tree, MenuItem* parent, const std::vector<const GumboNode*>& lists,
                    ImportReport& report) {
  std::vector<std::pair<const GumboNode*, MenuItem*>> pending;
  for (const GumboNode* list : lists) pending.emplace_back(list, parent);
  for (std::size_t i = 0; i < pending.size(); ++i) {
    const auto [list, under] = pending[i];
    for (const GumboNode* entry : entriesOf(list)) {
      const EntryParts parts = partsOf(entry);
      report.extraLinks += parts.otherLinks;
      std::string caption = parts.link ? captionOf(parts.link, false) : captionOf(entry, true);
      std::string address = parts.link ? addressOf(parts.link) : std::string();
      if (!parts.link && caption.empty() && parts.lists.empty()) {
        ++report.emptyEntries;
        continue;
      }
      MenuItem* item = tree.append(under, caption + '\t' + address, kImportedPicture);
      ++report.taken;
      for (const GumboNode* sub : parts.lists) pending.emplace_back(sub, item);
    }
    // Pending entries are consumed in order of discovery; the children of each item are appended in
    // their own order, so breadth-first building keeps every submenu's order.
  }
}

// The outermost lists below `node`.
std::vector<const GumboNode*> outerLists(const GumboNode* node) {
  std::vector<const GumboNode*> out;
  walkBelow(node, [&](const GumboNode* child) {
    if (isList(child)) {
      out.push_back(child);
      return false;
    }
    return !isHidden(child);
  });
  return out;
}

std::string lowerAttribute(std::string_view text) { return io::toLowerAscii(text); }

// The charset a meta element of the page's head declares, lower case; empty when none.
std::string declaredCharset(std::string_view bytes) {
  const std::string head = lowerAttribute(bytes.substr(0, 4096));
  for (std::size_t meta = head.find("<meta"); meta != std::string::npos; meta = head.find("<meta", meta + 5)) {
    const std::size_t end = head.find('>', meta);
    const std::string tag = head.substr(meta, end == std::string::npos ? std::string::npos : end - meta);
    const std::size_t at = tag.find("charset");
    if (at == std::string::npos) continue;
    std::size_t p = tag.find_first_not_of(" \t\r\n", at + 7);
    if (p == std::string::npos || tag[p] != '=') continue;
    p = tag.find_first_not_of(" \t\r\n\"'", p + 1);
    if (p == std::string::npos) continue;
    const std::size_t stop = tag.find_first_of(" \t\r\n\"';/", p);
    return tag.substr(p, stop == std::string::npos ? std::string::npos : stop - p);
  }
  return {};
}

void startTree(MenuTree& into) {
  if (!into.empty()) into.clear();
  into.append(nullptr, "Menu\t", kImportedPicture);
}

// The text of an element below `node` named `name` (an element gumbo does not know, such as a sitemap's),
// for each one in document order.
std::vector<std::string> textsOfUnknownElements(const GumboNode* node, std::string_view name) {
  std::vector<std::string> out;
  walkBelow(node, [&](const GumboNode* child) {
    if (child->type != GUMBO_NODE_ELEMENT || child->v.element.tag != GUMBO_TAG_UNKNOWN) return true;
    GumboStringPiece tag = child->v.element.original_tag;
    gumbo_tag_from_original_text(&tag);
    if (!io::equalsIgnoringAsciiCase(std::string_view(tag.data, tag.length), name)) return true;
    std::string text;
    walkBelow(child, [&](const GumboNode* inner) {
      if (inner->type == GUMBO_NODE_TEXT || inner->type == GUMBO_NODE_CDATA || inner->type == GUMBO_NODE_WHITESPACE) {
        text += inner->v.text.text;
      }
      return true;
    });
    // A sitemap's CDATA section reaches the HTML parser as a comment; take its content.
    walkBelow(child, [&](const GumboNode* inner) {
      if (inner->type == GUMBO_NODE_COMMENT) {
        std::string_view c = inner->v.text.text;
        if (c.starts_with("[CDATA[")) {
          c.remove_prefix(7);
          if (c.ends_with("]]")) c.remove_suffix(2);
          text += c;
        }
      }
      return true;
    });
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    out.push_back(first == std::string::npos ? std::string()
                                             : text.substr(first, text.find_last_not_of(" \t\r\n") + 1 - first));
    return false;
  });
  return out;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = io::toLowerAscii(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A path segment as a caption: percent escapes decoded when they give UTF-8, the extension of a page
// dropped, escaped for the page.
std::string segmentCaption(std::string_view segment, bool isFile) {
  std::string decoded;
  for (std::size_t i = 0; i < segment.size(); ++i) {
    if (segment[i] == '%' && i + 2 < segment.size() + 0 && hexValue(segment[i + 1]) >= 0 && hexValue(segment[i + 2]) >= 0) {
      decoded += static_cast<char>(hexValue(segment[i + 1]) * 16 + hexValue(segment[i + 2]));
      i += 2;
    } else {
      decoded += segment[i];
    }
  }
  if (!io::isValidUtf8(decoded)) decoded = std::string(segment);
  if (isFile) {
    for (const char* ext : {".html", ".htm", ".php", ".shtml", ".xhtml"}) {
      const std::string lower = io::toLowerAscii(decoded);
      if (lower.size() > std::string_view(ext).size() && lower.ends_with(ext)) {
        decoded.resize(decoded.size() - std::string_view(ext).size());
        break;
      }
    }
  }
  std::string out;
  appendEscaped(out, decoded);
  return tidyCaption(out);
}

}  // namespace

std::string decodePageText(std::string_view bytes) {
  const std::string charset = declaredCharset(bytes);
  const bool western = charset == "windows-1252" || charset == "iso-8859-1" || charset == "latin1" ||
                       charset == "cp1252" || charset == "us-ascii" || charset == "iso-8859-15";
  if (western) return io::windows1252ToUtf8(bytes);
  return io::decodeFileText(std::string(bytes));
}

void importPage(std::string_view bytes, MenuTree& into, ImportReport& report) {
  report = ImportReport{};
  const ParsedPage page(decodePageText(bytes));

  // The <nav> with the most links.
  const GumboNode* nav = nullptr;
  std::size_t navLinks = 0;
  walkBelow(page.root(), [&](const GumboNode* child) {
    if (isElement(child, GUMBO_TAG_NAV)) {
      const std::size_t n = countLinks(child);
      if (n > navLinks) {
        nav = child;
        navLinks = n;
      }
      return false;
    }
    return !isHidden(child);
  });

  startTree(into);
  MenuItem* root = into.root();
  if (nav) {
    report.source = ImportReport::Source::Nav;
    const std::vector<const GumboNode*> lists = outerLists(nav);
    if (lists.empty()) {
      // A navigation of bare links: one flat menu.
      walkBelow(nav, [&](const GumboNode* child) {
        if (!isLink(child)) return !isHidden(child);
        into.append(root, captionOf(child, false) + '\t' + addressOf(child), kImportedPicture);
        ++report.taken;
        return false;
      });
      return;
    }
    std::size_t inLists = 0;
    for (const GumboNode* list : lists) inLists += countLinks(list);
    report.extraLinks = navLinks - inLists;
    buildFromLists(into, root, lists, report);
    return;
  }

  // No <nav>: the outermost list with the most links.
  const GumboNode* best = nullptr;
  std::size_t bestLinks = 0;
  for (const GumboNode* list : outerLists(page.root())) {
    const std::size_t n = countLinks(list);
    if (n > bestLinks) {
      best = list;
      bestLinks = n;
    }
  }
  if (!best) {
    into.clear();
    throw Error("The page has no navigation: no <nav> element and no list of links");
  }
  report.source = ImportReport::Source::List;
  buildFromLists(into, root, {best}, report);
}

bool looksLikeSitemap(std::string_view bytes) {
  return io::toLowerAscii(bytes.substr(0, 2048)).find("<urlset") != std::string::npos;
}

void importSitemap(std::string_view bytes, MenuTree& into, ImportReport& report) {
  report = ImportReport{};
  report.source = ImportReport::Source::Sitemap;
  const ParsedPage page(io::decodeFileText(std::string(bytes)));
  const std::vector<std::string> addresses = textsOfUnknownElements(page.root(), "loc");

  startTree(into);
  MenuItem* root = into.root();
  // Folder items by "site/folder/.../", so that every address of a folder lands under the same item.
  std::map<std::string, MenuItem*> folders;
  std::set<std::string> seen;
  for (const std::string& address : addresses) {
    if (address.empty()) {
      ++report.emptyEntries;
      continue;
    }
    if (!seen.insert(address).second) {
      ++report.duplicates;
      continue;
    }
    // The site part ("https://host") and the path, without query and fragment.
    std::size_t pathStart = 0;
    const std::size_t scheme = address.find("://");
    if (scheme != std::string::npos) {
      pathStart = address.find('/', scheme + 3);
      if (pathStart == std::string::npos) pathStart = address.size();
    }
    const std::string site = address.substr(0, pathStart);
    std::string path = address.substr(pathStart, address.find_first_of("?#", pathStart) - pathStart);

    std::vector<std::string_view> segments;
    std::string_view rest = path;
    while (!rest.empty()) {
      const std::size_t slash = rest.find('/');
      const std::string_view seg = rest.substr(0, slash);
      if (!seg.empty()) segments.push_back(seg);
      if (slash == std::string_view::npos) break;
      rest.remove_prefix(slash + 1);
    }
    const bool isFolderAddress = path.empty() || path.back() == '/';

    MenuItem* parent = root;
    std::string key = site + "/";
    const std::size_t folderCount = isFolderAddress ? segments.size() : segments.size() - 1;
    for (std::size_t i = 0; i < folderCount; ++i) {
      key += std::string(segments[i]) + "/";
      auto [it, added] = folders.try_emplace(key, nullptr);
      if (added) {
        const bool last = isFolderAddress && i + 1 == folderCount;
        it->second = into.append(parent, segmentCaption(segments[i], false) + '\t' + (last ? address : ""),
                                 kImportedPicture);
        ++report.taken;
      } else if (isFolderAddress && i + 1 == folderCount && document::extractUrl(it->second->text()).empty()) {
        into.setText(it->second, document::extractTitle(it->second->text()) + '\t' + address);
      }
      parent = it->second;
    }
    if (isFolderAddress) {
      if (segments.empty()) {
        // The site's own start page.
        std::string caption;
        appendEscaped(caption, scheme == std::string::npos ? site : site.substr(scheme + 3));
        into.append(root, (caption.empty() ? std::string("/") : caption) + '\t' + address, kImportedPicture);
        ++report.taken;
      }
      continue;
    }
    into.append(parent, segmentCaption(segments.back(), true) + '\t' + address, kImportedPicture);
    ++report.taken;
  }
  if (report.taken == 0) {
    into.clear();
    throw Error("The sitemap lists no addresses");
  }
}

void importFile(const std::string& path, MenuTree& into, ImportReport& report) {
  const io::ReadResult read = io::readFile(path);
  if (!read.ok()) throw Error(fillMessage("Cannot open file %s", path));
  if (looksLikeSitemap(read.bytes)) {
    importSitemap(read.bytes, into, report);
  } else {
    importPage(read.bytes, into, report);
  }
}

}  // namespace corvantel::site
