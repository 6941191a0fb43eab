#pragma once

#include <string>

#include "core/document/menu_tree.h"
#include "core/document/project_settings.h"

namespace corvantel::generator {

// The two addresses of the page's credit line: the program's home page (also opened by the Help menu) and
// the site of the menu script's publisher.
inline constexpr const char* kMakerHomePage = "https://corvantel.example.org/";
inline constexpr const char* kMenuScriptPublisherSite = "https://corvantel.example.org/menus/";

// menu.html: the menu script's in-page parameters from the settings, for the table menu types a row of links
// made of the top-level items, and the script loader. The bytes are in the encoding the page declares, every
// line ended with CR LF.
std::string buildMenuPage(const document::ProjectSettings& settings, const document::MenuTree& tree);

// The menu's part of a page of the author's own, in `encodingName` (empty: UTF-8), lines ended with CR LF:
// `head` holds the style and the scripts of the head, `body` the link row of the table types and the loader
// line. `pathToSite` leads from the page's folder to the folder of the menu's files ("", "../", "../../"):
// the loader, the arrow picture and the link row's relative addresses are made relative to the page.
struct MenuPageBlocks {
  std::string head;
  std::string body;
};
MenuPageBlocks buildMenuBlocks(const document::ProjectSettings& settings, const document::MenuTree& tree,
                               const std::string& encodingName, const std::string& pathToSite);

// Writes the page to `path`, replacing the file atomically. Throws corvantel::Error with the system's failure
// ("File access denied", "Disk full", ...).
void writeMenuPage(const std::string& path, const document::ProjectSettings& settings, const document::MenuTree& tree);

}  // namespace corvantel::generator
