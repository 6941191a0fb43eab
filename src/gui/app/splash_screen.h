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

  // The OK button shows while About shows the window.
  void setOkButtonVisible(bool visible);

  // The links of the maker line and of the picture.
  void openMakerHomePage();
  void openPublisherSite();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* m_productLabel = nullptr;
  QLabel* m_versionLabel = nullptr;
  QLabel* m_makerLabel = nullptr;
  QLabel* m_picture = nullptr;
  QPushButton* m_okButton = nullptr;
};

}  // namespace corvantel::gui
