#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/menu_tree.h"

namespace corvantel::site {

// Why an item's address does not lead to a file of the site.
enum class LinkProblem {
  Missing,      // no file or folder of that name
  OutsideSite,  // ".." climbs above the site folder
};

struct BrokenLink {
  const document::MenuItem* item = nullptr;
  std::string address;  // the address as the item holds it
  std::string captionPath;  // the captions from the top level down to the item, "Club > Events > Summer"
  LinkProblem problem = LinkProblem::Missing;
};

// The path part of `address` when it is one the check looks at: a relative path or one starting with a
// single "/" (the site's root), with the fragment and query cut off, surrounding blanks trimmed. Nothing
// for empty and fragment-only addresses, addresses with a scheme ("mailto:", "https:", ...) and
// network-path addresses ("//host/...").
std::optional<std::string> localPath(std::string_view address);

// Checks the address of every item of `tree` against the files of the folder `siteFolder`, in the tree's
// order. Only the file system is read (each folder's listing once); nothing is fetched. Throws
// corvantel::Error("The site folder <path> does not exist") when the site folder is not a folder.
std::vector<BrokenLink> checkLinks(const document::MenuTree& tree, const std::string& siteFolder);

// The reason for `problem` in English, as a warning line states it (also the key of its translation).
const char* problemText(LinkProblem problem);

// For the command line: one "corvantel: warning: <caption path>: <address>: <reason>" line on standard
// error per broken link of `tree` in `siteFolder` (nothing when it is empty; a folder that cannot be
// checked gives one warning line instead).
void printBrokenLinkWarnings(const document::MenuTree& tree, const std::string& siteFolder);

}  // namespace corvantel::site
