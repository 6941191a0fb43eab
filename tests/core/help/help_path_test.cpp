#include <gtest/gtest.h>

#include "core/help/help_path.h"

using namespace corvantel::help;

TEST(HelpPath, FileNameSpacesAndBlanks) {
  EXPECT_EQ(buildHelpPath("/opt/My%20Programs/Corvantel.chm"), "/opt/My Programs/Corvantel.chm");
  EXPECT_EQ(buildHelpPath("  /a%20b%20c.chm  "), "/a b c.chm");
  // An escape at the ends becomes a blank that is trimmed with the others.
  EXPECT_EQ(buildHelpPath("%20/x.chm%20"), "/x.chm");
  // Only the exact sequence is replaced.
  EXPECT_EQ(buildHelpPath("/a%2/b%200.chm"), "/a%2/b 0.chm");
  EXPECT_EQ(buildHelpPath("   "), "");
  EXPECT_EQ(buildHelpPath(""), "");
}

TEST(HelpPath, TopicAndWindowAreAppended) {
  EXPECT_EQ(buildHelpPath("/h.chm", "topics\\tree.htm"), "/h.chm::/topics/tree.htm");
  EXPECT_EQ(buildHelpPath("/h.chm", "/topics/tree.htm"), "/h.chm::/topics/tree.htm");
  EXPECT_EQ(buildHelpPath("/h.chm", "", "main"), "/h.chm>main");
  EXPECT_EQ(buildHelpPath("/h.chm", "a.htm", "main"), "/h.chm::/a.htm>main");
}

TEST(HelpPath, CommandNames) {
  EXPECT_EQ(helpCommandText(1), "HELP_CONTEXT (1)");
  EXPECT_EQ(helpCommandText(3), "HELP_INDEX or HELP_CONTENTS (3)");
  EXPECT_EQ(helpCommandText(13), "HELP_SETPOPUP_POS (13)");
  EXPECT_EQ(helpCommandText(515), "HELP_SETWINPOS (515)");
  // Numbers between the known ones are unknown.
  for (int unknown : {0, 6, 7, 14, 256, 259, 512, 514, -1}) {
    EXPECT_STREQ(helpCommandName(unknown), "??") << unknown;
  }
  EXPECT_EQ(helpCommandText(7), "?? (7)");
}

TEST(HelpPath, PopupPositionIsTwoSignedHalves) {
  EXPECT_EQ(unpackPopupPosition((20 << 16) | 10), (PopupPosition{10, 20}));
  // x = -1, y = -2: both halves negative.
  EXPECT_EQ(unpackPopupPosition(static_cast<std::int32_t>(0xFFFEFFFFu)), (PopupPosition{-1, -2}));
  // Negative x must not borrow from y.
  EXPECT_EQ(unpackPopupPosition(static_cast<std::int32_t>(0x0005FFF6u)), (PopupPosition{-10, 5}));
  EXPECT_EQ(unpackPopupPosition(static_cast<std::int32_t>(0x80007FFFu)), (PopupPosition{32767, -32768}));
}

TEST(HelpPath, ErrorMessages) {
  EXPECT_EQ(helpErrorMessage(1, "/opt/corvantel/Corvantel.chm"),
            "The help file /opt/corvantel/Corvantel.chm is missing.");
  EXPECT_EQ(helpErrorMessage(3, "x.chm"), "System file HH.EXE was not found in the Windows folder.");
  EXPECT_EQ(helpErrorMessage(4, "x.chm"), "Unknown error returned by HelpHookContext");
  EXPECT_EQ(helpErrorMessage(-1, "x.chm"), "Unknown error returned by HelpHookContext");
}
