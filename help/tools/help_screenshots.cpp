// Makes the pictures of the help from the program's own windows, drawn offscreen: the main window with
// the example project, the main window of a new project after one Add menu, the project settings dialog
// and the colour palette (standard colours, and the custom area with the honeycomb).
//
// Usage: help_screenshots OUTPUT-FOLDER EXAMPLE.cvp     (run with QT_QPA_PLATFORM=offscreen)
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "gui/app/corvantel_application.h"
#include "gui/app/main_window.h"
#include "gui/app/menu_tree_view.h"
#include "gui/document/menu_tree_model.h"
#include "gui/document/project_settings_dialog.h"
#include "gui/widgets/color_button.h"
#include "gui/widgets/color_popup.h"

using namespace corvantel;
using namespace corvantel::gui;

namespace {

bool g_failed = false;

// The offscreen platform reports every raise and grab it cannot do; those lines say nothing here.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (text.startsWith(QLatin1String("This plugin does not support"))) return;
  if (type != QtDebugMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
}

void save(QWidget* widget, const QString& folder, const char* name) {
  QCoreApplication::processEvents();
  const QString path = folder + QLatin1Char('/') + QLatin1String(name);
  const QPixmap picture = widget->grab();
  if (picture.isNull() || !picture.save(path, "PNG")) {
    std::fprintf(stderr, "help_screenshots: cannot write %s\n", qPrintable(path));
    g_failed = true;
  }
}

// A main window on a program folder of its own (so no settings of the build machine leak in).
std::unique_ptr<MainWindow> mainWindow(const QString& programFolder, const QStringList& arguments) {
  StartOptions options;
  options.programFolder = programFolder.toStdString() + "/";
  options.arguments = arguments;
  auto form = std::make_unique<MainWindow>(options);
  form->resize(720, 460);
  form->show();
  if (!QTest::qWaitForWindowExposed(form.get())) g_failed = true;
  return form;
}

document::MenuItem* childWithCaption(document::MenuItem* parent, const std::string& caption) {
  for (int row = 0; parent && row < parent->childCount(); ++row) {
    document::MenuItem* item = parent->child(row);
    if (item->text().rfind(caption + "\t", 0) == 0) return item;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(quietMessages);
  CorvantelApplication app(argc, argv);
  if (argc != 3) {
    std::fputs("Usage: help_screenshots OUTPUT-FOLDER EXAMPLE.cvp\n", stderr);
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  const QString example = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
  QDir().mkpath(out);
  QTemporaryDir programFolder;

  {
    auto form = mainWindow(programFolder.path(), {example});
    document::MenuItem* root = form->document().tree().root();
    document::MenuItem* club = childWithCaption(root, "The club");
    document::MenuItem* boathouse = childWithCaption(club, "Boathouse");
    if (!boathouse) {
      std::fputs("help_screenshots: the example project lacks The club > Boathouse\n", stderr);
      return 1;
    }
    MenuTreeView* tree = form->findChild<MenuTreeView*>(QStringLiteral("treeView"));
    tree->expand(form->treeModel()->indexFromItem(root));
    tree->expand(form->treeModel()->indexFromItem(club));
    tree->selectItem(boathouse);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(form->treeModel()->indexFromItem(boathouse)).center());
    save(form.get(), out, "main_window.png");

    ProjectSettingsDialog dialog(form.get());
    dialog.loadSettings(form->document().settings());
    dialog.findChild<QLineEdit*>(QStringLiteral("pageTitleEdit"))->setCursorPosition(0);
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) g_failed = true;
    save(&dialog, out, "project_settings.png");

    // The palette of the background colour: first with a standard colour, then with a grey of the
    // custom area, which opens it with the honeycomb, the grey row and the intensity bar.
    ColorButton* button = dialog.findChild<ColorButton*>(QStringLiteral("backgroundColorButton"));
    button->setPopupOpen(true);
    if (!button->popup() || !QTest::qWaitForWindowExposed(button->popup())) g_failed = true;
    if (button->popup()) save(button->popup(), out, "palette.png");
    button->setPopupOpen(false);
    button->setSelectionColor(document::makeColor(135, 135, 135));
    button->setPopupOpen(true);
    if (!button->popup() || !button->popup()->customMode()) {
      std::fputs("help_screenshots: the palette did not open its custom area\n", stderr);
      g_failed = true;
    } else {
      save(button->popup(), out, "palette_custom.png");
    }
    button->setPopupOpen(false);
    dialog.hide();
  }
  {
    auto form = mainWindow(programFolder.path(), {});
    form->addMenu();
    save(form.get(), out, "new_project.png");
  }
  return g_failed ? 1 : 0;
}
