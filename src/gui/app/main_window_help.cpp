// Help: the help hook's life in the main window and the Contents command.
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <vector>

#include "core/help/help_log.h"
#include "gui/app/main_window.h"
#include "gui/document/project_settings_dialog.h"
#include "gui/widgets/color_popup.h"
#include "gui/widgets/folder_browse_dialog.h"
#include "gui/widgets/help_display.h"
#include "gui/widgets/help_hook.h"

namespace corvantel::gui {

namespace {

// The diagnostic log, when it is asked for; an earlier log beside the program goes in any case.
std::unique_ptr<help::HelpLog> openHelpLog(const std::string& programFolder, const QStringList& arguments,
                                           bool viewerAvailable) {
  help::HelpLog::removeOld(programFolder);
  std::vector<std::string> args;
  for (const QString& a : arguments) args.push_back(a.toStdString());
  if (!help::HelpLog::requested(programFolder, args)) return nullptr;

  std::string folder = help::HelpLog::chooseFolder(programFolder);
  auto log = std::make_unique<help::HelpLog>(folder + help::HelpLog::kFileName);
  help::HelpLogHeader header = help::HelpLog::systemHeader();
  QLocale locale;
  header.localeName = locale.name().toStdString();
  header.decimalSeparator = locale.decimalPoint().toStdString();
  header.programPath = QCoreApplication::applicationFilePath().toStdString();
  header.modulePath = header.programPath;
  header.viewerInstalled = viewerAvailable;
  header.viewerVersion = "Corvantel help window (chmlib)";
  header.browserInstalled = true;
  header.browserVersion = "Qt " + std::string(qVersion()) + " text browser";
  log->writeHeader(header);
  return log;
}

}  // namespace

void MainWindow::setUpHelp() {
  // F1 in an open drop-down menu of the menu bar asks for the menu bar's topic.
  menuBar()->setProperty("helpContext", help::help_context::kMainWindow);
  for (QMenu* menu : {m_fileMenu, m_itemsMenu, m_helpMenu})
    menu->setProperty("helpContext", help::help_context::kMainWindow);
  // The editing panel is described in the main window's topic too; without a context of its own F1 in
  // the caption or address field would do nothing.
  m_editingPanel->setProperty("helpContext", help::help_context::kMainWindow);
  // The dialogs made once for the run that have a topic of their own. The palettes belong to the colour
  // buttons of the settings dialog; the keyboard is theirs while one is open, so F1 asks for its topic.
  m_outputFolderDialog->setProperty("helpContext", help::help_context::kFolderDialog);
  for (ColorPopup* palette : m_settingsDialog->findChildren<ColorPopup*>())
    palette->setProperty("helpContext", help::help_context::kColourPalette);
}

void MainWindow::createHelpSystem() {
  if (m_helpHook) return;
  std::shared_ptr<HelpDisplay> display = HelpHook::makeDisplay();
  bool available = display && display->available();
  auto log = openHelpLog(m_programFolder, m_options.arguments, available);
  QString helpFile = QString::fromStdString(m_programFolder) + QStringLiteral("Corvantel.chm");
  m_helpHook = new HelpHook(helpFile, QString(), 0, std::move(display), std::move(log), this);
}

void MainWindow::tearDownHelp() {
  if (!m_helpHook) return;
  std::shared_ptr<HelpDisplay> display = m_helpHook->display();
  delete m_helpHook;
  m_helpHook = nullptr;
  // Once more, for windows the viewer opened on its own.
  if (display && display->available()) display->closeAll();
}

void MainWindow::showHelpContents() {
  if (!m_helpHook) return;
  bool callHelp = false;
  m_helpHook->handleRequest(help::help_command::kContext, help::help_context::kContents, callHelp);
}

}  // namespace corvantel::gui
