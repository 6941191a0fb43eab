#pragma once

#include <array>

#include "core/palette/color_geometry.h"

namespace corvantel::palette {

enum class ButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class IndicatorBorder { ibNone, ibFlat, ibSunken, ibRaised };
enum class ButtonState { Up, Disabled, Down, Exclusive };
enum class FrameLook { None, Raised, Sunken };

struct Size {
  int width = 0;
  int height = 0;
  bool isEmpty() const { return width <= 0 || height <= 0; }
};

struct ButtonFaceInput {
  int width = 57;
  int height = 22;
  int dropDownWidth = 15;
  int frameWidth = 2;  // width of a push-button frame (the desktop's 3D edge)
  ButtonState state = ButtonState::Up;
  bool arrowPressed = false;  // the last left press fell on the arrow section
  bool popupOpen = false;
  bool flat = false;
  bool hot = false;  // the pointer is over the button
  bool enabled = true;
  Size caption;  // measured caption; empty for none
  Size glyph;    // one image of the glyph; empty for none
  ButtonLayout layout = ButtonLayout::blGlyphLeft;
  int margin = -1;
  int spacing = 4;
};

// A vertical line from (x, top) down to, not including, (x, bottom).
struct VLine {
  int x = 0;
  int top = 0;
  int bottom = 0;
  bool operator==(const VLine&) const = default;
};

// Where each part of a colour button's face goes.
struct ButtonFace {
  bool thinFrames = false;                 // flat: thin 3D edges instead of push-button frames
  FrameLook faceFrame = FrameLook::None;   // over the whole client rectangle
  FrameLook arrowFrame = FrameLook::None;  // over the arrow section, on top of the face frame
  bool divider = false;
  VLine dividerShadow;
  VLine dividerHighlight;
  Rect client;
  Rect face;  // interior of the frame
  Rect arrowSection;
  Rect content;      // where glyph and caption are laid out
  Rect glyphRect;    // empty without a glyph
  Rect captionRect;  // empty without a caption
  Rect indicator;
  std::array<Point, 3> arrow{};  // left, right and bottom corner of the drop-down triangle
  bool checkered = false;        // exclusive look: button face and highlight pattern
};

ButtonFace layoutButtonFace(const ButtonFaceInput& input);

}  // namespace corvantel::palette
