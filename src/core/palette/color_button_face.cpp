#include "core/palette/color_button_face.h"

#include <algorithm>

namespace corvantel::palette {

namespace {

// Glyph and caption placed within `area` the way speed buttons do it: side by side (or stacked) with
// `spacing` between them, `margin` from the leading edge, or centred when the margin is -1.
void placeGlyphAndCaption(const ButtonFaceInput& in, const Rect& area, Rect& glyph, Rect& caption) {
  const Size g = in.glyph.isEmpty() ? Size{} : in.glyph;
  const Size t = in.caption.isEmpty() ? Size{} : in.caption;
  const int spacing = (g.isEmpty() || t.isEmpty()) ? 0 : std::max(0, in.spacing);
  const bool horizontal = in.layout == ButtonLayout::blGlyphLeft || in.layout == ButtonLayout::blGlyphRight;
  const int extent = horizontal ? area.width() : area.height();
  const int total = horizontal ? g.width + spacing + t.width : g.height + spacing + t.height;
  const int margin = in.margin < 0 ? (extent - total + 1) / 2 : in.margin;

  Point gp, tp;
  if (horizontal) {
    gp.y = area.top + (area.height() - g.height + 1) / 2;
    tp.y = area.top + (area.height() - t.height + 1) / 2;
    if (in.layout == ButtonLayout::blGlyphLeft) {
      gp.x = area.left + margin;
      tp.x = gp.x + g.width + spacing;
    } else {
      gp.x = area.right - margin - g.width;
      tp.x = gp.x - spacing - t.width;
    }
  } else {
    gp.x = area.left + (area.width() - g.width + 1) / 2;
    tp.x = area.left + (area.width() - t.width + 1) / 2;
    if (in.layout == ButtonLayout::blGlyphTop) {
      gp.y = area.top + margin;
      tp.y = gp.y + g.height + spacing;
    } else {
      gp.y = area.bottom - margin - g.height;
      tp.y = gp.y - spacing - t.height;
    }
  }
  glyph = g.isEmpty() ? Rect{} : Rect{gp.x, gp.y, gp.x + g.width, gp.y + g.height};
  caption = t.isEmpty() ? Rect{} : Rect{tp.x, tp.y, tp.x + t.width, tp.y + t.height};
}

}  // namespace

ButtonFace layoutButtonFace(const ButtonFaceInput& in) {
  ButtonFace f;
  const int w = std::max(0, in.width);
  const int h = std::max(0, in.height);
  const int ddw = std::max(0, in.dropDownWidth);
  f.client = {0, 0, w, h};
  f.face = f.client;
  f.arrowSection = {w - ddw, 0, w, h};

  const ButtonState state = in.enabled ? in.state : ButtonState::Disabled;
  const bool pushed = state == ButtonState::Down || state == ButtonState::Exclusive;

  bool drawFrames = true;
  if (in.flat) {
    f.thinFrames = true;
    drawFrames = pushed || (in.hot && in.enabled);
  }
  if (drawFrames) {
    if (!in.arrowPressed) {
      f.faceFrame = pushed ? FrameLook::Sunken : FrameLook::Raised;
      f.divider = true;
    } else if (in.popupOpen) {
      f.faceFrame = FrameLook::Raised;
      f.arrowFrame = FrameLook::Sunken;
    } else {
      f.faceFrame = FrameLook::Raised;
      f.divider = true;
    }
  }
  const int inset = in.flat ? 1 : std::max(0, in.frameWidth);
  f.face = f.client.inflated(-inset);

  const bool pressedLook = pushed && !in.arrowPressed;
  const int shift = pressedLook ? 1 : 0;
  f.dividerShadow = {w - ddw - 1 + shift, 1 + shift, h - 2 - shift};
  f.dividerHighlight = {w - ddw + shift, 1 + shift, h - 2 - shift};

  f.checkered = state == ButtonState::Exclusive && !(in.flat && in.hot);

  f.content = {f.face.left, f.face.top, std::max(f.face.left, w - ddw - 1), f.face.bottom};
  placeGlyphAndCaption(in, f.content, f.glyphRect, f.captionRect);

  if (!f.captionRect.isEmpty()) {
    const int top = f.captionRect.bottom;
    f.indicator = {f.captionRect.left, top, f.captionRect.right, std::min(top + 6, f.face.bottom - 2)};
  } else {
    const Rect base = f.face.adjusted(2, 2, -(ddw + 2) - 2, -2);
    f.indicator = base;
    const Rect& g = f.glyphRect;
    if (!g.isEmpty()) {
      switch (in.layout) {
        case ButtonLayout::blGlyphLeft:
          f.indicator = {g.right + 4, g.top, base.right, g.bottom};
          break;
        case ButtonLayout::blGlyphRight:
          f.indicator = {base.left, g.top, g.left - 4, g.bottom};
          break;
        case ButtonLayout::blGlyphTop:
          f.indicator = {base.left, g.bottom + 4, base.right, base.bottom};
          break;
        case ButtonLayout::blGlyphBottom:
          f.indicator = {base.left, base.top, base.right, g.top - 4};
          break;
      }
    }
  }

  const int y = h / 2;
  const int ax = w - ddw + (ddw + 5) / 2 - 6;
  const int moved = ((in.arrowPressed && in.popupOpen) || pressedLook) ? 1 : 0;
  f.arrow = {Point{ax + moved, y + moved}, Point{ax + 6 + moved, y + moved}, Point{ax + 3 + moved, y + 3 + moved}};
  return f;
}

}  // namespace corvantel::palette
