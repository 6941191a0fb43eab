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
  setObjectName(QStringLiteral("SplashScreen"));
  setFixedSize(kClientWidth, kClientHeight);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, pal.color(QPalette::Button));  // the button-face colour
  setPalette(pal);

  Label1 = makeLabel(this, "Label1", QStringLiteral("Corvantel"), QRect(8, 0, 258, 55), 47, true);
  Label2 = makeLabel(this, "Label2", QStringLiteral("2.0.0.1"), QRect(8, 48, 59, 22), 19, false);
  Label3 =
      makeLabel(this, "Label3", QStringLiteral("Made by the Corvantel authors"), QRect(8, 104, 200, 15), 12, false);
  QPalette linkPalette = Label3->palette();
  linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
  Label3->setPalette(linkPalette);
  Label3->setCursor(Qt::PointingHandCursor);
  Label3->setToolTip(MainWindow::makerHomePage());
  Label3->installEventFilter(this);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(280, 8, 150, 81);
  Image1->setCursor(Qt::PointingHandCursor);
  Image1->setToolTip(MainWindow::publisherSite());
  const QImage picture = decodeJpeg(jpeg);
  if (!picture.isNull()) Image1->setPixmap(QPixmap::fromImage(picture));
  Image1->installEventFilter(this);

  OKBut = new QPushButton(QStringLiteral("OK"), this);
  OKBut->setObjectName(QStringLiteral("OKBut"));
  OKBut->setGeometry(352, 96, 75, 25);
  OKBut->setDefault(true);
  OKBut->hide();
  connect(OKBut, &QPushButton::clicked, this, &QDialog::accept);
}

void SplashScreen::centreOnScreen() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}

bool SplashScreen::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == Label3) {
      openMakerHomePage();
      return true;
    }
    if (watched == Image1) {
      openPublisherSite();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void SplashScreen::openMakerHomePage() { MainWindow::openWebAddress(MainWindow::makerHomePage()); }

void SplashScreen::openPublisherSite() { MainWindow::openWebAddress(MainWindow::publisherSite()); }

}  // namespace corvantel::gui
