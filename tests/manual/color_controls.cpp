// Two colour buttons to try by hand: the program's own kind (custom cell "More colors", no system
// colours) and one with every cell (Default, custom, system colours), with a log of their events.
//
//   manual_color_controls [--open N] [--custom]   opens button N's palette at start (custom mode too)
//   manual_color_controls --shots FOLDER [--dark]  writes pictures of the button, the palette (normal and
//                                                  custom) and the settings dialog's colour rows, then quits
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>

#include <QDir>
#include <QGroupBox>
#include <QPainter>
#include <QPalette>
#include <QStyleFactory>

#include "core/document/menu_tree.h"
#include "core/palette/color_palette_table.h"
#include "gui/app/menu_tree_view.h"
#include "gui/document/menu_tree_model.h"
#include "gui/document/project_settings_dialog.h"
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

static QPalette darkPalette() {
  QPalette p;
  p.setColor(QPalette::Window, QColor(45, 45, 48));
  p.setColor(QPalette::WindowText, QColor(230, 230, 230));
  p.setColor(QPalette::Base, QColor(30, 30, 30));
  p.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
  p.setColor(QPalette::Text, QColor(230, 230, 230));
  p.setColor(QPalette::Button, QColor(53, 53, 56));
  p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
  p.setColor(QPalette::Light, QColor(90, 90, 94));
  p.setColor(QPalette::Midlight, QColor(70, 70, 74));
  p.setColor(QPalette::Mid, QColor(40, 40, 42));
  p.setColor(QPalette::Dark, QColor(25, 25, 27));
  p.setColor(QPalette::Shadow, QColor(0, 0, 0));
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::ToolTipBase, QColor(60, 60, 60));
  p.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
  return p;
}

// Pictures of what the colour controls look like, at the screen's scale and in the current palette.
static int writeShots(const QString& folder) {
  QDir().mkpath(folder);
  auto save = [&](const QPixmap& pixmap, const char* name) {
    pixmap.save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
  };
  corvantel::gui::ProjectSettingsDialog dialog;
  dialog.show();
  QApplication::processEvents();
  auto* background = dialog.findChild<QGroupBox*>(QStringLiteral("backgroundGroup"));
  auto* font = dialog.findChild<QGroupBox*>(QStringLiteral("fontGroup"));
  auto* button = dialog.findChild<ColorButton*>(QStringLiteral("backgroundColorButton"));
  button->setSelectionColor(corvantel::document::makeColor(51, 102, 255));
  dialog.setAttribute(Qt::WA_KeyboardFocusChange);  // as after a Tab: the focus frame shows
  dialog.findChild<ColorButton*>(QStringLiteral("borderColorButton"))->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  save(dialog.grab(), "dialog");
  save(font->grab(), "font_rows");
  save(background->grab(), "background_rows");
  save(button->grab(), "button");

  button->setPopupOpen(true);
  QApplication::processEvents();
  save(button->popup()->grab(), "palette");
  for (int i = 0; i < 3; ++i) button->popup()->handleKey(Qt::Key_Down, Qt::NoModifier, QString());
  button->popup()->handleKey(Qt::Key_Return, Qt::NoModifier, QString());  // More colors
  button->popup()->handleKey(Qt::Key_Right, Qt::NoModifier, QString());
  button->popup()->handleKey(Qt::Key_Down, Qt::NoModifier, QString());
  QApplication::processEvents();
  save(button->popup()->grab(), "palette_custom");
  for (int i = 0; i < 2; ++i) button->popup()->handleKey(Qt::Key_Tab, Qt::NoModifier, QString());
  button->popup()->handleKey(Qt::Key_Down, Qt::NoModifier, QString());
  QApplication::processEvents();
  save(button->popup()->grab(), "palette_bar");
  button->popup()->handleKey(Qt::Key_Tab, Qt::ShiftModifier, QString());
  button->popup()->handleKey(Qt::Key_Tab, Qt::ShiftModifier, QString());
  // Tab on to the exact colour field (grey row, bar, field) and type something that is no colour.
  for (int i = 0; i < 3; ++i) button->popup()->handleKey(Qt::Key_Tab, Qt::NoModifier, QString());
  for (QChar c : QStringLiteral("#12x")) {
    const int key = c == u'#' ? int(Qt::Key_NumberSign) : int(c.toUpper().unicode());
    button->popup()->handleKey(key, Qt::NoModifier, QString(c));
  }
  QApplication::processEvents();
  save(button->popup()->grab(), "palette_field_invalid");
  button->setPopupOpen(false);

  // The item tree's lines and boxes in the same scale and palette.
  corvantel::document::MenuTree tree;
  auto* root = tree.append(nullptr, "Menu\t", 0);
  auto* products = tree.append(root, "Products\t/products.html", 0);
  tree.append(products, "Tools\t/tools.html", 0);
  auto* parts = tree.append(products, "Parts\t/parts.html", 0);
  tree.append(parts, "Screws\t/screws.html", 0);
  tree.append(root, "About\t/about.html", -1);
  corvantel::gui::MenuTreeModel model(tree);
  corvantel::gui::MenuTreeView view;
  view.setMenuModel(&model);
  view.resize(240, 140);
  view.expandAll();
  view.collapse(model.indexFromItem(parts));
  view.show();
  QApplication::processEvents();
  save(view.grab(), "tree");
  return 0;
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  {
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("--dark"))) {
      QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
      QApplication::setPalette(darkPalette());
    }
    const int shots = args.indexOf(QStringLiteral("--shots"));
    if (shots > 0 && shots + 1 < args.size()) return writeShots(args[shots + 1]);
  }
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
