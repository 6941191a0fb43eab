#include "core/help/help_path.h"

namespace corvantel::help {

namespace {

std::string trimBlanks(std::string s) {
  std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  std::size_t last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

}  // namespace

std::string buildHelpPath(std::string_view fileName, std::string_view topic, std::string_view window) {
  std::string path;
  path.reserve(fileName.size());
  for (std::size_t i = 0; i < fileName.size();) {
    if (fileName.substr(i, 3) == "%20") {
      path += ' ';
      i += 3;
    } else {
      path += fileName[i++];
    }
  }
  path = trimBlanks(std::move(path));
  if (!topic.empty()) {
    std::string t(topic);
    for (char& c : t) {
      if (c == '\\') c = '/';
    }
    path += "::";
    if (t.front() != '/') path += '/';
    path += t;
  }
  if (!window.empty()) {
    path += '>';
    path += window;
  }
  return path;
}

const char* helpCommandName(int command) {
  switch (command) {
    case 1: return "HELP_CONTEXT";
    case 2: return "HELP_QUIT";
    case 3: return "HELP_INDEX or HELP_CONTENTS";
    case 4: return "HELP_HELPONHELP";
    case 5: return "HELP_SETINDEX or HELP_SETCONTENTS";
    case 8: return "HELP_CONTEXTPOPUP";
    case 9: return "HELP_FORCEFILE";
    case 10: return "HELP_CONTEXTMENU";
    case 11: return "HELP_FINDER";
    case 12: return "HELP_WM_HELP";
    case 13: return "HELP_SETPOPUP_POS";
    case 257: return "HELP_KEY";
    case 258: return "HELP_COMMAND";
    case 261: return "HELP_PARTIALKEY";
    case 513: return "HELP_MULTIKEY";
    case 515: return "HELP_SETWINPOS";
    default: return "??";
  }
}

std::string helpCommandText(int command) {
  return std::string(helpCommandName(command)) + " (" + std::to_string(command) + ")";
}

PopupPosition unpackPopupPosition(std::int32_t data) {
  auto bits = static_cast<std::uint32_t>(data);
  return PopupPosition{static_cast<std::int16_t>(bits & 0xFFFFu), static_cast<std::int16_t>(bits >> 16)};
}

std::string helpErrorMessage(int code, std::string_view helpFile) {
  switch (code) {
    case 1: return "The help file " + std::string(helpFile) + " is missing.";
    case 2: return "System file of the keyword help viewer was not found in the Windows folder.";
    case 3: return "System file HH.EXE was not found in the Windows folder.";
    default: return "Unknown error returned by HelpHookContext";
  }
}

}  // namespace corvantel::help
