// Two colour buttons to try by hand: the program's own kind (custom cell "More colors", no system
// colours) and one with every cell (Default, custom, system colours), with a log of their events.
//
//   manual_color_controls [--open N] [--custom]   opens button N's palette at start (custom mode too)
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>

#include "core/palette/color_palette_table.h"
#include "gui/widgets/color_button.h"
#include "gui/widgets/color_popup.h"

using corvantel::gui::ColorButton;

static QString colourText(corvantel::document::Color c) {
  if (c == corvantel::palette::kColorDefault) return QStringLiteral("default");
  if (c == corvantel::palette::kColorNone) return QStringLiteral("none");
  if (corvantel::palette::isSystemColorCode(c)) {
    return QStringLiteral("system %1").arg(corvantel::palette::systemColorIndex(c));
  }
  return QStringLiteral("%1 (%2, %3, %4)")
      .arg(c)
      .arg(corvantel::palette::redOf(c))
      .arg(corvantel::palette::greenOf(c))
      .arg(corvantel::palette::blueOf(c));
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Colour controls"));
  auto* grid = new QGridLayout(&window);
  auto* log = new QPlainTextEdit;
  log->setReadOnly(true);

  auto* plain = new ColorButton;
  plain->setCustomText(QStringLiteral("More colors"));
  plain->setPopupSpacing(8);
  plain->setFixedSize(57, 22);
  plain->setSelectionColor(13158600);

  auto* full = new ColorButton;
  full->setCustomText(QStringLiteral("&More colors"));
  full->setDefaultText(QStringLiteral("&Automatic"));
  full->setShowSystemColors(true);
  full->setPopupSpacing(8);
  full->setFixedSize(57, 22);
  full->setToolTip(QStringLiteral("The button's own hint"));

  auto* veto = new QCheckBox(QStringLiteral("Veto opening"));
  grid->addWidget(new QLabel(QStringLiteral("Program's buttons")), 0, 0);
  grid->addWidget(plain, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Default cell, system colours")), 1, 0);
  grid->addWidget(full, 1, 1);
  grid->addWidget(veto, 2, 0, 1, 2);
  grid->addWidget(log, 3, 0, 1, 2);

  for (ColorButton* b : {plain, full}) {
    const QString name = b == plain ? QStringLiteral("program") : QStringLiteral("full");
    QObject::connect(b, &ColorButton::colorChanged, log,
                     [=] { log->appendPlainText(name + ": colorChanged " + colourText(b->selectionColor())); });
    QObject::connect(b, &ColorButton::defaultSelected, log, [=] { log->appendPlainText(name + ": defaultSelected"); });
    QObject::connect(b, &ColorButton::dropDownChanging, log, [=](bool* allowed) {
      if (veto->isChecked() && !b->isPopupOpen()) *allowed = false;
      log->appendPlainText(name + ": dropDownChanging" + (*allowed ? "" : " (vetoed)"));
    });
    QObject::connect(b, &ColorButton::dropDownChanged, log, [=] {
      log->appendPlainText(name + (b->isPopupOpen() ? ": dropDownChanged, open" : ": dropDownChanged, closed"));
    });
    QObject::connect(b, &ColorButton::clicked, log, [=] { log->appendPlainText(name + ": clicked"); });
  }
  QObject::connect(full, &ColorButton::hintRequested, log, [](int cell, QString* hint) {
    if (cell == corvantel::palette::kCellDefault) *hint = QStringLiteral("Use the automatic colour");
    if (cell == corvantel::palette::kCellCustom) *hint = QStringLiteral("Mix a colour of your own");
  });

  window.resize(360, 320);
  window.move(40, 40);
  window.show();

  const QStringList args = app.arguments();
  const int openAt = args.indexOf(QStringLiteral("--open"));
  if (openAt > 0 && openAt + 1 < args.size()) {
    ColorButton* b = args[openAt + 1] == QStringLiteral("2") ? full : plain;
    const bool custom = args.contains(QStringLiteral("--custom"));
    QTimer::singleShot(300, b, [b, custom] {
      if (custom) b->setSelectionColor(b->popup()->greyCells()[3].color);
      b->setPopupOpen(true);
    });
  }
  return app.exec();
}
