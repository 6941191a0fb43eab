#include "core/site/navigation_import.h"

#include <gumbo.h>
#include <iconv.h>

#include <cerrno>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "core/error.h"
#include "core/generator/output_encoding.h"
#include "core/io/ascii.h"
#include "core/io/file_io.h"
#include "core/io/text_codec.h"
#include "core/io/utf8.h"
#include "core/site/navigation_import_caption.h"
#include "core/site/navigation_import_parser.h"
#include "core/site/page_markup.h"

namespace corvantel::site {

namespace {

using document::MenuItem;
using document::MenuTree;

constexpr int kImportedPicture = 0;  // the picture of items read from a file
constexpr std::size_t kMaxCaptionCharacters = 200;
constexpr std::size_t kMaxFileBytes = std::size_t(64) << 20;

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

// Inline elements a caption keeps (as bare tags, without attributes; a bare <span> would mean nothing).
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
    case GUMBO_TAG_CODE:
    case GUMBO_TAG_MARK:
    case GUMBO_TAG_ABBR:
      return gumbo_normalized_tagname(node->v.element.tag);
    default:
      return nullptr;
  }
}

// The caption of the content below `node`, leaving out the lists below it (they are submenus) and, when
// `skipLinks`, links (an entry's text around its first link is not part of another item).
std::string captionOf(const GumboNode* node, bool skipLinks, ImportReport& report) {
  CaptionBuilder caption(kMaxCaptionCharacters);
  // Closing tags are written when the walk leaves an element: a stack of what is open.
  std::vector<std::pair<const GumboNode*, unsigned>> stack{{node, 0}};
  while (!stack.empty()) {
    auto& [parent, next] = stack.back();
    const GumboVector* children = childrenOf(parent);
    if (!children || next >= children->length) {
      if (stack.size() > 1) caption.close();
      stack.pop_back();
      continue;
    }
    const GumboNode* child = childAt(children, next++);
    switch (child->type) {
      case GUMBO_NODE_TEXT:
      case GUMBO_NODE_WHITESPACE:
      case GUMBO_NODE_CDATA:
        caption.text(child->v.text.text);
        break;
      case GUMBO_NODE_ELEMENT: {
        if (isHidden(child) || isList(child) || (skipLinks && isLink(child))) break;
        if (isElement(child, GUMBO_TAG_IMG)) {
          if (const GumboAttribute* alt = gumbo_get_attribute(&child->v.element.attributes, "alt")) {
            caption.text(alt->value);
          }
          break;
        }
        if (isElement(child, GUMBO_TAG_BR)) {
          caption.blank();
          break;
        }
        caption.open(keptInlineTag(child));
        stack.emplace_back(child, 0);
        break;
      }
      default:
        break;
    }
  }
  std::string out = caption.finish();
  // A link with nothing to read (an icon without alt text) may still name itself for screen readers.
  if (out.empty() && node->type == GUMBO_NODE_ELEMENT) {
    for (const char* name : {"aria-label", "title"}) {
      if (const GumboAttribute* label = gumbo_get_attribute(&node->v.element.attributes, name)) {
        CaptionBuilder named(kMaxCaptionCharacters);
        named.text(label->value);
        out = named.finish();
        if (!out.empty()) {
          if (named.shortened()) ++report.shortened;
          return out;
        }
      }
    }
  }
  if (caption.shortened()) ++report.shortened;
  return out;
}

// An address as written, without the tabs and line breaks a browser drops from it too (they would also
// break the menu data's lines), and without blanks around it.
std::string cleanAddress(std::string_view written) {
  std::string out;
  for (const char c : written) {
    if (c != '\t' && c != '\n' && c != '\r') out += c;
  }
  const std::size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of(' ') + 1 - first);
}

std::string addressOf(const GumboNode* link) {
  return cleanAddress(gumbo_get_attribute(&link->v.element.attributes, "href")->value);
}

// What a list holds, in order: its <li> elements, also where broken markup wrapped them in something else,
// and lists put directly into it without an entry around them (which browsers show as the submenu of the
// entry before), but nothing of a list inside an entry.
std::vector<const GumboNode*> entriesOf(const GumboNode* list) {
  std::vector<const GumboNode*> out;
  walkBelow(list, [&](const GumboNode* child) {
    if (isElement(child, GUMBO_TAG_LI) || isList(child)) {
      out.push_back(child);
      return false;
    }
    return child->type == GUMBO_NODE_ELEMENT && !isHidden(child);
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

// Builds the items of `lists` under `parent`, breadth by breadth, with a queue instead of recursion. The
// children of each item are appended in their own order, so building breadth-first keeps every submenu's
// order.
void buildFromLists(MenuTree& tree, MenuItem* parent, const std::vector<const GumboNode*>& lists,
                    ImportReport& report) {
  std::vector<std::pair<const GumboNode*, MenuItem*>> pending;
  for (const GumboNode* list : lists) pending.emplace_back(list, parent);
  for (std::size_t i = 0; i < pending.size(); ++i) {
    const auto [list, under] = pending[i];
    MenuItem* previous = nullptr;
    for (const GumboNode* entry : entriesOf(list)) {
      if (isList(entry)) {
        pending.emplace_back(entry, previous ? previous : under);
        continue;
      }
      const EntryParts parts = partsOf(entry);
      report.extraLinks += parts.otherLinks;
      std::string caption = parts.link ? captionOf(parts.link, false, report) : captionOf(entry, true, report);
      std::string address = parts.link ? addressOf(parts.link) : std::string();
      if (!parts.link && caption.empty() && parts.lists.empty()) {
        ++report.emptyEntries;
        continue;
      }
      previous = tree.append(under, caption + '\t' + address, kImportedPicture);
      ++report.taken;
      for (const GumboNode* sub : parts.lists) pending.emplace_back(sub, previous);
    }
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

bool isWesternCharset(const std::string& charset) {
  for (const char* name : {"windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1", "iso_8859-1", "latin1",
                           "l1", "us-ascii", "ascii"}) {
    if (io::equalsIgnoringAsciiCase(charset, name)) return true;
  }
  return false;
}

// `bytes` in the encoding `charset` as UTF-8, a byte that does not decode as U+FFFD; nothing when the system
// has no converter for it.
std::optional<std::string> convertToUtf8(std::string_view bytes, const std::string& charset) {
  iconv_t cd = iconv_open("UTF-8", generator::converterName(charset).c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  char buffer[4096];
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  bool flushing = false;
  for (;;) {
    char* to = buffer;
    std::size_t toLeft = sizeof buffer;
    const std::size_t result =
        flushing ? iconv(cd, nullptr, nullptr, &to, &toLeft) : iconv(cd, &in, &inLeft, &to, &toLeft);
    out.append(buffer, static_cast<std::size_t>(to - buffer));
    if (result != static_cast<std::size_t>(-1)) {
      if (flushing) break;
      flushing = true;
      continue;
    }
    if (errno == E2BIG) continue;
    if (errno != EILSEQ && errno != EINVAL) break;
    out += "\xEF\xBF\xBD";
    ++in;
    --inLeft;
  }
  iconv_close(cd);
  return out;
}

void startTree(MenuTree& into) {
  if (!into.empty()) into.clear();
  into.append(nullptr, "Menu\t", kImportedPicture);
}

// The text of an element below `node` named `name` (an element gumbo does not know, such as a sitemap's),
// for each one in document order, as written (blanks and line breaks included).
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
    out.push_back(std::move(text));
    return false;
  });
  return out;
}

// A caption of plain text.
std::string plainCaption(std::string_view text, ImportReport& report) {
  CaptionBuilder caption(kMaxCaptionCharacters);
  caption.text(text);
  if (caption.shortened()) ++report.shortened;
  return caption.finish();
}

// A path segment as a caption: percent escapes decoded when they give UTF-8, the extension of a page
// dropped, escaped for the page.
std::string segmentCaption(std::string_view segment, bool isFile, ImportReport& report) {
  std::string decoded = io::percentDecoded(segment);
  if (!io::isValidUtf8(decoded)) decoded = std::string(segment);
  if (isFile) {
    const std::string lower = io::toLowerAscii(decoded);
    for (const char* ext : {".html", ".htm", ".php", ".shtml", ".xhtml"}) {
      if (lower.size() > std::string_view(ext).size() && lower.ends_with(ext)) {
        decoded.resize(decoded.size() - std::string_view(ext).size());
        break;
      }
    }
  }
  return plainCaption(decoded, report);
}

}  // namespace

std::string decodePageText(std::string_view bytes) {
  const PageMarkup markup = scanPage(bytes);
  const std::string& charset = markup.charset;
  if (markup.byteOrderMark || charset.empty() || io::toLowerAscii(charset).starts_with("utf")) {
    return io::decodeFileText(std::string(bytes));
  }
  if (isWesternCharset(charset)) return io::windows1252ToUtf8(bytes);
  if (std::optional<std::string> text = convertToUtf8(bytes, charset)) return *std::move(text);
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
        into.append(root, captionOf(child, false, report) + '\t' + addressOf(child), kImportedPicture);
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

bool looksLikeSitemapIndex(std::string_view bytes) {
  return io::toLowerAscii(bytes.substr(0, 2048)).find("<sitemapindex") != std::string::npos;
}

void importSitemap(std::string_view bytes, MenuTree& into, ImportReport& report) {
  report = ImportReport{};
  report.source = ImportReport::Source::Sitemap;
  const ParsedPage page(io::decodeFileText(std::string(bytes)));
  std::vector<std::string> addresses = textsOfUnknownElements(page.root(), "loc");
  for (std::string& address : addresses) address = cleanAddress(address);

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
        it->second = into.append(parent, segmentCaption(segments[i], false, report) + '\t' + (last ? address : ""),
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
        const std::string caption =
            plainCaption(scheme == std::string::npos ? site : site.substr(scheme + 3), report);
        into.append(root, (caption.empty() ? std::string("/") : caption) + '\t' + address, kImportedPicture);
        ++report.taken;
      }
      continue;
    }
    into.append(parent, segmentCaption(segments.back(), true, report) + '\t' + address, kImportedPicture);
    ++report.taken;
  }
  if (report.taken == 0) {
    into.clear();
    throw Error("The sitemap lists no addresses");
  }
}

void importFile(const std::string& path, MenuTree& into, ImportReport& report) {
  const io::ReadResult read = io::readFile(path, kMaxFileBytes);
  if (read.failure == io::ReadFailure::TooLarge) {
    throw Error(fillMessage("The file %s is larger than 64 MB; it cannot be imported", path));
  }
  if (!read.ok()) throw Error(fillMessage("Cannot open file %s", path));
  if (looksLikeSitemapIndex(read.bytes)) {
    throw Error(fillMessage("The file %s is a sitemap index: import one of the sitemaps it names", path));
  }
  if (looksLikeSitemap(read.bytes)) {
    importSitemap(read.bytes, into, report);
  } else {
    importPage(read.bytes, into, report);
  }
}

}  // namespace corvantel::site
