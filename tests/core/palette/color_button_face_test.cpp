#include "core/palette/color_button_face.h"

#include <gtest/gtest.h>

using namespace corvantel::palette;

TEST(ColorButtonFace, WorkedFaceOfTheProgramsButtons) {
  const ButtonFace f = layoutButtonFace({});
  EXPECT_EQ(f.faceFrame, FrameLook::Raised);
  EXPECT_EQ(f.arrowFrame, FrameLook::None);
  EXPECT_EQ(f.face, (Rect{2, 2, 55, 20}));
  EXPECT_EQ(f.indicator, (Rect{4, 4, 36, 18}));
  EXPECT_TRUE(f.divider);
  EXPECT_EQ(f.dividerShadow, (VLine{41, 1, 20}));
  EXPECT_EQ(f.dividerHighlight, (VLine{42, 1, 20}));
  EXPECT_EQ(f.arrow, (std::array<Point, 3>{Point{46, 11}, Point{52, 11}, Point{49, 14}}));
}

TEST(ColorButtonFace, PressedLooks) {
  ButtonFaceInput in;
  in.state = ButtonState::Down;
  ButtonFace f = layoutButtonFace(in);
  EXPECT_EQ(f.faceFrame, FrameLook::Sunken);
  EXPECT_EQ(f.dividerShadow, (VLine{42, 2, 19}));
  EXPECT_EQ(f.arrow, (std::array<Point, 3>{Point{47, 12}, Point{53, 12}, Point{50, 15}}));
  EXPECT_EQ(f.indicator, (Rect{4, 4, 36, 18}));

  in.state = ButtonState::Up;
  in.arrowPressed = true;
  in.popupOpen = true;
  f = layoutButtonFace(in);
  EXPECT_EQ(f.faceFrame, FrameLook::Raised);
  EXPECT_EQ(f.arrowFrame, FrameLook::Sunken);
  EXPECT_EQ(f.arrowSection, (Rect{42, 0, 57, 22}));
  EXPECT_FALSE(f.divider);
  EXPECT_EQ(f.arrow[0], (Point{47, 12}));

  in.popupOpen = false;  // closed again: both up, divider back, arrow home
  f = layoutButtonFace(in);
  EXPECT_EQ(f.arrowFrame, FrameLook::None);
  EXPECT_TRUE(f.divider);
  EXPECT_EQ(f.arrow[0], (Point{46, 11}));
}

TEST(ColorButtonFace, FlatButtonsAndDisabled) {
  ButtonFaceInput in;
  in.flat = true;
  ButtonFace f = layoutButtonFace(in);
  EXPECT_EQ(f.faceFrame, FrameLook::None);
  EXPECT_FALSE(f.divider);
  EXPECT_EQ(f.face, (Rect{1, 1, 56, 21}));
  in.hot = true;
  f = layoutButtonFace(in);
  EXPECT_EQ(f.faceFrame, FrameLook::Raised);
  EXPECT_TRUE(f.thinFrames);
  in.enabled = false;  // a disabled button is not lit by the pointer
  f = layoutButtonFace(in);
  EXPECT_EQ(f.faceFrame, FrameLook::None);

  ButtonFaceInput exclusive;
  exclusive.state = ButtonState::Exclusive;
  EXPECT_TRUE(layoutButtonFace(exclusive).checkered);
  exclusive.flat = true;
  exclusive.hot = true;
  EXPECT_FALSE(layoutButtonFace(exclusive).checkered);
}

TEST(ColorButtonFace, CaptionAndGlyphPlaceTheIndicator) {
  ButtonFaceInput in;
  in.width = 100;
  in.height = 40;
  in.caption = {30, 13};
  ButtonFace f = layoutButtonFace(in);
  // Caption centred in the content (2 .. 84 by 2 .. 38), the bar under it.
  EXPECT_EQ(f.content, (Rect{2, 2, 84, 38}));
  EXPECT_EQ(f.captionRect, (Rect{28, 14, 58, 27}));
  EXPECT_EQ(f.indicator, (Rect{28, 27, 58, 33}));

  in.height = 24;  // no room for 6 pixels: the bar stops at the face's bottom - 2
  f = layoutButtonFace(in);
  EXPECT_EQ(f.indicator.bottom, 20);

  ButtonFaceInput glyph;
  glyph.glyph = {8, 8};
  glyph.margin = 2;
  f = layoutButtonFace(glyph);
  EXPECT_EQ(f.glyphRect, (Rect{4, 7, 12, 15}));
  EXPECT_EQ(f.indicator, (Rect{16, 7, 36, 15}));
  glyph.layout = ButtonLayout::blGlyphRight;
  f = layoutButtonFace(glyph);
  EXPECT_EQ(f.indicator, (Rect{4, f.glyphRect.top, f.glyphRect.left - 4, f.glyphRect.bottom}));
  EXPECT_EQ(f.glyphRect.right, 41 - 2);  // content ends at the divider's shadow line

  ButtonFaceInput tiny;  // degenerate sizes give empty rectangles, never negative sizes passed along
  tiny.width = 3;
  tiny.height = 3;
  f = layoutButtonFace(tiny);
  EXPECT_TRUE(f.indicator.isEmpty());
}
