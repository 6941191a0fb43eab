#pragma once

#include <QByteArray>
#include <QDialog>

class QLabel;
class QPushButton;

namespace corvantel::gui {

// SplashScreen: the borderless window shown during start-up and by About: the product name, the
// version, a line about the maker (a link to the maker's page) and the picture (a link to the menu
// script publisher's site). Its OK button is hidden except while About shows the window.
class SplashScreen : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 435;
  static constexpr int kClientHeight = 128;

  // `jpeg` is the picture's JPEG data (the embedded picture by default). Data that cannot be decoded
  // leaves the picture empty; the window shows without it.
  explicit SplashScreen(QWidget* parent = nullptr, const QByteArray& jpeg = embeddedPicture());

  // The JPEG bytes built into the program.
  static QByteArray embeddedPicture();

  // Centres the window on the screen it belongs to.
  void centreOnScreen();

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Image1 = nullptr;
  QPushButton* OKBut = nullptr;

  void openMakerHomePage();
  void openPublisherSite();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace corvantel::gui
