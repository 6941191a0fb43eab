#include "gui/app/splash_screen.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include "gui/app/jpeg_decoder.h"
#include "gui/app/main_window.h"

// The resource initialiser of the picture's .qrc lives in the static GUI library; naming it here pulls
// it into every program that shows the splash.
static void initSplashResources() { Q_INIT_RESOURCE(splash); }

namespace corvantel::gui {

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry, int pixelSize,
                  bool bold) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  label->setFont(font);
  label->setAttribute(Qt::WA_TranslucentBackground);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

QByteArray SplashScreen::embeddedPicture() {
  initSplashResources();
  QFile file(QStringLiteral(":/splash/splash_picture.jpg"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

SplashScreen::SplashScreen(QWidget* parent, const QByteArray& jpeg)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("splashScreen"));
  setFixedSize(kClientWidth, kClientHeight);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, pal.color(QPalette::Button));  // the button-face colour
  setPalette(pal);

  m_productLabel = makeLabel(this, "productLabel", QStringLiteral("Corvantel"), QRect(8, 0, 258, 55), 47, true);
  m_versionLabel = makeLabel(this, "versionLabel", QStringLiteral("2.0.0.1"), QRect(8, 48, 59, 22), 19, false);
  m_makerLabel =
      makeLabel(this, "makerLabel", QStringLiteral("Made by the Corvantel authors"), QRect(8, 104, 200, 15), 12, false);
  QPalette linkPalette = m_makerLabel->palette();
  linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
  m_makerLabel->setPalette(linkPalette);
  m_makerLabel->setCursor(Qt::PointingHandCursor);
  m_makerLabel->setToolTip(MainWindow::makerHomePage());
  m_makerLabel->installEventFilter(this);

  m_picture = new QLabel(this);
  m_picture->setObjectName(QStringLiteral("picture"));
  m_picture->setGeometry(280, 8, 150, 81);
  m_picture->setCursor(Qt::PointingHandCursor);
  m_picture->setToolTip(MainWindow::publisherSite());
  const QImage picture = decodeJpeg(jpeg);
  if (!picture.isNull()) m_picture->setPixmap(QPixmap::fromImage(picture));
  m_picture->installEventFilter(this);

  m_okButton = new QPushButton(QStringLiteral("OK"), this);
  m_okButton->setObjectName(QStringLiteral("okButton"));
  m_okButton->setGeometry(352, 96, 75, 25);
  m_okButton->setDefault(true);
  m_okButton->hide();
  connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void SplashScreen::setOkButtonVisible(bool visible) { m_okButton->setVisible(visible); }

void SplashScreen::centreOnScreen() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}

bool SplashScreen::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == m_makerLabel) {
      openMakerHomePage();
      return true;
    }
    if (watched == m_picture) {
      openPublisherSite();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void SplashScreen::openMakerHomePage() { MainWindow::openWebAddress(MainWindow::makerHomePage()); }

void SplashScreen::openPublisherSite() { MainWindow::openWebAddress(MainWindow::publisherSite()); }

}  // namespace corvantel::gui
