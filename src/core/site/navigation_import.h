#pragma once

// Reading an existing navigation into a menu tree: the menu of an HTML page, or the addresses of a
// sitemap.xml grouped by their folders.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/document/menu_tree.h"

namespace corvantel::site {

// Where the items came from and what was left out.
struct ImportReport {
  enum class Source { Nav, List, Sitemap };
  Source source = Source::Nav;
  std::size_t taken = 0;          // items made, the root not counted
  std::size_t emptyEntries = 0;   // list entries with neither text nor link, sitemap entries without an address
  std::size_t extraLinks = 0;     // links of the navigation outside its lists, or a second link in one entry
  std::size_t duplicates = 0;     // sitemap addresses listed twice
  std::size_t shortened = 0;      // captions cut at the length limit
};

// Builds the tree of the page `bytes` (its encoding from its meta charset; UTF-8, else Windows-1252) into
// `into`, which must be empty: the root item "Menu<TAB>", and under it the page's navigation. The
// navigation is the <nav> element with the most links, else the list (<ul>/<ol>) with the most links. Its
// nested lists become submenus, and a list put directly into a list (without an entry around it) is the
// submenu of the entry before it. An item's caption is its link's text with the inline markup a caption
// can carry (bold, italic, code, ...; no attributes), or the link's aria-label or title when it has no
// text; its address is the link's href. An entry without a link gets its own text and an empty address.
// Captions hold no tabs or line breaks and at most 200 characters of text. Throws corvantel::Error when
// the page has no navigation, and when its elements nest more than 2,000 deep (the parser would be busy
// with such a page for minutes).
void importPage(std::string_view bytes, document::MenuTree& into, ImportReport& report);

// Builds the tree of a sitemap (<loc> addresses) into `into`: each address under items for the folders of
// its path, in the order the sitemap names them; a folder item takes the address of the folder when the
// sitemap lists it. Throws corvantel::Error when there is no address in it, or it nests too deep.
void importSitemap(std::string_view bytes, document::MenuTree& into, ImportReport& report);

// Whether `bytes` look like a sitemap (a <urlset> near the start) rather than a page, or like an index of
// sitemaps (a <sitemapindex>).
bool looksLikeSitemap(std::string_view bytes);
bool looksLikeSitemapIndex(std::string_view bytes);

// Reads the file `path` and imports it as a sitemap or a page, whichever it is. Throws corvantel::Error
// ("Cannot open file <path>", a file over 64 MB, a sitemap index, or the import's own errors).
void importFile(const std::string& path, document::MenuTree& into, ImportReport& report);

// The text encoding `bytes` of a page are in, turned to UTF-8.
std::string decodePageText(std::string_view bytes);

}  // namespace corvantel::site
