#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/document/document.h"

namespace corvantel::site {

// The page `page` with the menu put in: the head part of the menu between marker comments at the end of the
// head, the body part at the start of the body, or, when the page already has them, in place of what the
// markers enclose. Nothing outside the markers changes. The menu is written in the encoding the page
// declares, with the page's own line ends; `pathToSite` leads from the page's folder to the site's folder
// ("", "../", ...). Throws corvantel::Error when the page has no body, its markers do not pair up, or its
// encoding is not available.
std::string pageWithMenu(std::string_view page, const document::ProjectSettings& settings,
                         const document::MenuTree& tree, const std::string& pathToSite);

// One chosen page and what putting the menu in it would do.
struct PageChange {
  std::string path;     // the full path
  std::string name;     // the path inside the site folder, with "/" between folders
  bool changes = false;
  std::string bytes;    // the new page, when it changes
  std::string error;    // why the page is left as it is: unreadable, outside the site folder, not parsed
};

// Works out the new bytes of every page without writing any. `pages` are absolute or relative to `siteFolder`.
std::vector<PageChange> preparePages(const document::Document& document, const std::string& siteFolder,
                                     const std::vector<std::string>& pages);

struct InsertionReport {
  std::vector<std::string> changed;    // names of the pages rewritten
  std::vector<std::string> unchanged;  // names of the pages that already held this menu
  std::vector<std::string> failed;     // "name: reason" of the pages left as they were
  std::vector<std::string> supportWritten;  // support files written into the site folder (full paths)
  std::vector<std::string> notCopied;       // support files that could not be written
};

// Writes hierArrays.js and the script's support files into the site folder where they differ from what is
// there, then replaces every changing page atomically. A page that cannot be written is reported and left as
// it was; the others still go. Throws corvantel::Error only when the menu data cannot be made at all.
InsertionReport writePages(const std::vector<PageChange>& pages, const document::Document& document,
                           const std::string& siteFolder, const std::string& programFolder);

// preparePages and writePages in one.
InsertionReport insertMenu(const document::Document& document, const std::string& siteFolder,
                           const std::vector<std::string>& pages, const std::string& programFolder);

}  // namespace corvantel::site
