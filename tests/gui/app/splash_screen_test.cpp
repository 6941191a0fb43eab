// The splash window: its picture from JPEG data (broken data gives no picture, never a crash), the OK
// button of About, and the start-up splash.
#include "gui/app/splash_screen.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "gui/app/jpeg_decoder.h"
#include "gui/app/startup.h"
#include "main_window_fixture.h"

namespace corvantel::test {
namespace {

TEST(JpegDecoder, EmbeddedPictureIs150By81) {
  const QByteArray jpeg = gui::SplashScreen::embeddedPicture();
  ASSERT_FALSE(jpeg.isEmpty()) << "the picture is built into the program";
  const QImage image = gui::decodeJpeg(jpeg);
  EXPECT_EQ(image.size(), QSize(150, 81));
  // Not a flat colour: the picture really was decoded.
  EXPECT_NE(image.pixel(10, 40), image.pixel(75, 20));
}

TEST(JpegDecoder, BrokenDataGivesNoPictureAndNoCrash) {
  const QByteArray jpeg = gui::SplashScreen::embeddedPicture();
  EXPECT_TRUE(gui::decodeJpeg(QByteArray()).isNull());
  EXPECT_TRUE(gui::decodeJpeg(QByteArray("not a picture at all")).isNull());
  EXPECT_TRUE(gui::decodeJpeg(jpeg.left(2)).isNull()) << "only the start-of-image marker";
  EXPECT_TRUE(gui::decodeJpeg(jpeg.left(120)).isNull()) << "cut inside the header";
  // Cut in the middle of the picture data: whatever comes back, it comes back.
  const QImage half = gui::decodeJpeg(jpeg.left(jpeg.size() / 2));
  EXPECT_TRUE(half.isNull() || half.size() == QSize(150, 81));
  // Garbage everywhere after the header.
  QByteArray scrambled = jpeg;
  for (int i = 400; i < scrambled.size(); i += 7) scrambled[i] = static_cast<char>(scrambled[i] ^ 0x5A);
  (void)gui::decodeJpeg(scrambled);
  // A header that claims an enormous picture is refused before any allocation.
  QByteArray huge = jpeg;
  const int sof = huge.indexOf("\xFF\xC0");
  ASSERT_GT(sof, 0);
  huge[sof + 5] = '\x7F';  // height 0x7Fxx
  huge[sof + 7] = '\x7F';  // width 0x7Fxx
  EXPECT_TRUE(gui::decodeJpeg(huge).isNull());
}

TEST(SplashScreen, CorruptPictureShowsTheWindowWithoutIt) {
  gui::SplashScreen splash(nullptr, QByteArray("\xFF\xD8\xFF\xE0 broken", 12));
  EXPECT_TRUE(test::child<QLabel>(&splash, "picture")->pixmap().isNull());
  splash.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&splash));
  EXPECT_EQ(splash.size(), QSize(435, 128));
  EXPECT_EQ(test::child<QLabel>(&splash, "productLabel")->text(), QStringLiteral("Corvantel"));
  EXPECT_EQ(test::child<QLabel>(&splash, "versionLabel")->text(), QStringLiteral("2.0.0.1"));
}

TEST(SplashScreen, LayoutAndFrame) {
  gui::SplashScreen splash;
  EXPECT_FALSE(test::child<QLabel>(&splash, "picture")->pixmap().isNull());
  EXPECT_EQ(test::child<QLabel>(&splash, "picture")->geometry(), QRect(280, 8, 150, 81));
  EXPECT_EQ(test::child<QPushButton>(&splash, "okButton")->geometry(), QRect(352, 96, 75, 25));
  EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(test::child<QPushButton>(&splash, "okButton")->isHidden());
}

TEST(SplashScreen, StartupSplashIsShownWithoutTheOkButton) {
  std::unique_ptr<gui::SplashScreen> splash = gui::showStartupSplash();
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(splash->isVisible());
  EXPECT_FALSE(test::child<QPushButton>(splash.get(), "okButton")->isVisible());
  EXPECT_EQ(splash->parent(), nullptr);
}

TEST_F(MainWindowTest, AboutShowsTheSplashWithItsOkButtonEachTime) {
  for (int round = 0; round < 2; ++round) {
    bool sawOk = false;
    prompts.answerDialog(QDialog::Accepted, [&](QDialog* dialog) {
      auto* splash = qobject_cast<gui::SplashScreen*>(dialog);
      ASSERT_NE(splash, nullptr) << "About shows the splash window";
      sawOk = !test::child<QPushButton>(splash, "okButton")->isHidden();
      EXPECT_EQ(splash->parent(), nullptr);
    });
    action("aboutAction")->trigger();
    EXPECT_TRUE(sawOk) << "round " << round;
  }
  EXPECT_EQ(prompts.texts(ScriptedPrompts::Kind::Dialog).size(), 2);
}

TEST(SplashScreen, OkButtonClosesTheWindowWithOk) {
  gui::SplashScreen splash;
  test::child<QPushButton>(&splash, "okButton")->show();
  splash.show();
  QTest::mouseClick(test::child<QPushButton>(&splash, "okButton"), Qt::LeftButton);
  EXPECT_EQ(splash.result(), QDialog::Accepted);
  EXPECT_FALSE(splash.isVisible());
}

}  // namespace
}  // namespace corvantel::test
