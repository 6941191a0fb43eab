#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvantel::help {

// Commands of the help hook, numbered as the toolkit numbers them.
namespace help_command {
inline constexpr int kContext = 1;
inline constexpr int kQuit = 2;
inline constexpr int kContents = 3;
inline constexpr int kContextPopup = 8;
inline constexpr int kSetPopupPos = 13;
}  // namespace help_command

// The help file's context numbers.
namespace help_context {
inline constexpr int kMainWindow = 1000;  // the tree, the menu bar and the tool bar
inline constexpr int kLanguageDialog = 1002;
inline constexpr int kDeleteItem = 1004;
inline constexpr int kProjectSettings = 1005;
inline constexpr int kFolderDialog = 1010;   // the folder browser of Generate files from project
inline constexpr int kColourPalette = 1011;  // the colour popup of the colour buttons
inline constexpr int kAbout = 1012;          // the About window, and how to use the help
inline constexpr int kOwnSite = 1013;        // the site folder: import, link check, menu put into pages
inline constexpr int kContents = 1049;
}  // namespace help_context

// The path handed to the viewer: in the file name every "%20" becomes a space and surrounding blanks
// go. A topic is appended after "::" with backslashes turned into slashes and one leading slash; a
// window definition after ">".
std::string buildHelpPath(std::string_view fileName, std::string_view topic = {}, std::string_view window = {});

// The command's name for the diagnostic log ("HELP_CONTEXT", ..., "??" for a number it does not know).
const char* helpCommandName(int command);
// "HELP_CONTEXT (1)".
std::string helpCommandText(int command);

// The point packed in the data of the set-pop-up-position command: x in the low 16 bits, y in the high
// 16 bits, both signed.
struct PopupPosition {
  int x = 0;
  int y = 0;
  bool operator==(const PopupPosition&) const = default;
};
PopupPosition unpackPopupPosition(std::int32_t data);

// The message shown for a failure code of opening the help file `helpFile` (the path as built above).
std::string helpErrorMessage(int code, std::string_view helpFile);

}  // namespace corvantel::help
