#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvantel::document {

// A colour as the program stores it: red in the lowest byte, then green, then blue.
using Color = std::int32_t;

inline constexpr Color makeColor(int red, int green, int blue) {
  return static_cast<Color>(red | (green << 8) | (blue << 16));
}

// The three kinds of main menu, with the numbers stored in the settings file.
enum class MenuType : int { JSMenu = 0, TableMenu = 1, TableRelative = 2 };

// The encodings a page can declare, in list order; a settings file stores the index.
const std::vector<std::string>& encodingNames();
// The name at `index`, or an empty text when the index is outside the list ("none selected").
std::string encodingName(int index);
inline constexpr int kNoEncoding = -1;

// Everything about the look of the generated page that is not a menu item. The values here are those of
// a new project.
struct ProjectSettings {
  Color bgColor = 16775151;
  Color fontColor = 0;
  Color borderColor = 0;
  Color fontColorOver = 16777215;
  Color bgColorOver = 6045440;
  std::string pageTitle = "Site menu";
  std::string pageAuthor = "Ombrel Corvantel 2.0.0.0";
  int encodingIndex = 0;  // kNoEncoding when none is selected
  bool fontBold = false;
  bool fontItalic = false;
  Color separatorColor = 0;
  std::int32_t menuWidth = 150;
  std::int32_t itemPadding = 3;
  std::int32_t borderWidth = 2;
  std::string fontFamily = "Arial,sans-serif";
  std::int32_t separatorSize = 2;
  bool keepHilite = true;
  std::int32_t xPos = 0;
  std::int32_t yPos = 2;
  MenuType menuType = MenuType::JSMenu;
  // The folder of the author's own site as a full path; empty when the project has none. The settings
  // file stores it relative to its own folder where possible ("../site"): reading and saving the project
  // convert it.
  std::string siteFolder;

  bool operator==(const ProjectSettings&) const = default;

  bool isTableType() const { return menuType != MenuType::JSMenu; }
};

}  // namespace corvantel::document
