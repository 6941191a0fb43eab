// Window translation and the language command of the main window.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <algorithm>

#include "core/i18n/language_list.h"
#include "gui/app/main_menu_bar.h"
#include "gui/app/main_window.h"
#include "gui/app/user_prompts.h"
#include "gui/document/project_settings_dialog.h"
#include "gui/i18n/language_dialog.h"
#include "gui/i18n/language_list_view.h"
#include "gui/widgets/folder_browse_dialog.h"

namespace corvantel::gui {

void MainWindow::setUpLocalization() {
  // One language dialog for the whole run: its list and selection persist between openings.
  m_languageDialog = new LanguageDialog(this);
}

void MainWindow::fillLanguageList() {
  // Filled once, at start-up; files added later show up at the next start.
  for (const i18n::LanguageEntry& entry : i18n::listLanguageFiles(m_programFolder)) {
    m_languageDialog->languageList()->addRow({QString::fromStdString(entry.language),
                                              QString::fromStdString(entry.localized),
                                              QString::fromStdString(entry.path)});
  }
}

void MainWindow::chooseLanguage() {
  if (prompts().execDialog(m_languageDialog) != QDialog::Accepted) return;
  const QString file = m_languageDialog->selectedFile();
  if (file.isEmpty()) return;  // OK without a chosen row keeps the current language
  m_translator.setLanguageFile(file.toStdString());
  translateWindows();
}

CaptionTable MainWindow::captionTable() const {
  CaptionTable table = {
      caption(m_fileMenu, "&File"),
      caption(m_newProjectAction, "&New project"),
      caption(m_openProjectAction, "&Open project"),
      caption(m_saveProjectAction, "&Save project"),
      caption(m_saveProjectAsAction, "Save project &as"),
      caption(m_projectSettingsAction, "&Project settings"),
      caption(m_generateAction, "&Generate files from project"),
      caption(m_languageAction, "&Language"),
      caption(m_exitAction, "&Exit"),
      caption(m_itemsMenu, "&Menu items"),
      caption(m_addMenuAction, "Add &menu"),
      caption(m_addSubmenuAction, "Add &submenu"),
      caption(m_removeMenuAction, "&Remove menu"),
      caption(m_moveUpAction, "Move u&p"),
      caption(m_moveDownAction, "Move do&wn"),
      caption(m_indentAction, "Move &into item above"),
      caption(m_outdentAction, "Move &out of submenu"),
      // Undo and Redo name the step they take back or do again, in the current language.
      {"&Undo", [this](const QString&) { updateUndoActions(); }},
      caption(m_helpMenu, "&Help"),
      caption(m_contentsAction, "&Contents"),
      caption(m_makerWebPageAction, "Ombrel &web page"),
      caption(m_aboutAction, "&About"),
      // The output folder dialog: one line for every locale, so the label follows the program's language.
      {"Current folder",
       [dialog = m_outputFolderDialog](const QString& text) {
         dialog->setLabelCaptions({QStringLiteral("Default=") + text + u':'});
       }},
  };
  const CaptionTable settings = m_settingsDialog->captionTable();
  table.insert(table.end(), settings.begin(), settings.end());
  table.insert(table.end(), {
                                caption(m_captionLabel, "Caption"),
                                caption(m_urlLabel, "URL"),
                                caption(m_setButton, "&Set"),
                                // Added to the File menu after the others; it follows the language too.
                                caption(m_previewAction, "Pre&view in browser"),
                            });
  return table;
}

void MainWindow::translateWindows() {
  const i18n::Translator::Pass pass(m_translator);  // one read of the language file for the whole walk
  applyCaptions(captionTable(), [this](const char* english) { return translate(english); });
  // The menu bar's buttons are made anew from the menu, with its new captions.
  m_mainMenuBar->setMenu(m_mainMenu);
  // The Set button keeps its layout width unless its caption needs more.
  m_setButton->resize(std::max(75, m_setButton->sizeHint().width()), m_setButton->height());
}

}  // namespace corvantel::gui
