// Window translation and the language command of the main window.
#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>

#include "core/i18n/language_list.h"
#include "gui/app/main_window.h"
#include "gui/app/user_prompts.h"
#include "gui/document/project_settings_dialog.h"
#include "gui/site/link_report_dialog.h"
#include "gui/i18n/language_dialog.h"
#include "gui/i18n/language_list_view.h"
#include "gui/i18n/toolkit_translation.h"
#include "gui/i18n/ui_text.h"
#include "gui/widgets/folder_browse_dialog.h"

namespace corvantel::gui {

void MainWindow::setUpLocalization() {
  // One language dialog for the whole run: its list and selection persist between openings.
  m_languageDialog = new LanguageDialog(this);
  // The dialogs and the help window look their texts up in this window's language.
  setTextLookup([window = QPointer<MainWindow>(this)](const char* english) {
    return window ? window->translate(english) : QString::fromUtf8(english);
  });
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
      caption(m_importMenuAction, "I&mport menu from page..."),
      caption(m_insertMenuAction, "Put menu &into pages..."),
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
      caption(m_checkLinksAction, "Check &links"),
      // An open link report is filled again, its headers and reasons in the new language.
      {"Link check", [report = m_linkReport](const QString&) { report->requestRefresh(); }},
      // Undo and Redo name the step they take back or do again, in the current language.
      {"&Undo", [this](const QString&) { updateUndoActions(); }},
      caption(m_helpMenu, "&Help"),
      // F1 belongs to the help hook (the topic of the control with the focus), so it is shown beside
      // Contents without being the item's shortcut.
      {"&Contents",
       [action = m_contentsAction](const QString& text) {
         action->setText(text + u'\t' + QKeySequence(Qt::Key_F1).toString(QKeySequence::NativeText));
       }},
      caption(m_makerWebPageAction, "Ombrel &web page"),
      caption(m_aboutAction, "&About"),
      // The output folder dialog: one line for every locale, so the label follows the program's language.
      {"Current folder",
       [dialog = m_outputFolderDialog](const QString& text) {
         dialog->setLabelCaptions({QStringLiteral("Default=") + text + u':'});
       }},
      {"New folder",
       [dialog = m_outputFolderDialog](const QString& text) {
         dialog->setNewFolderCaptions({QStringLiteral("Default=") + text});
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
  // The tool bar's hints: an icon button shows its hint as text and tool tip alike.
  for (const auto& [action, hint] : m_toolButtonHints) {
    table.push_back({hint, [action = action](const QString& text) {
                       action->setText(text);
                       action->setToolTip(text);
                     }});
  }
  return table;
}

void MainWindow::translateWindows() {
  const i18n::Translator::Pass pass(m_translator);  // one read of the language file for the whole walk
  // The toolkit's own texts first: the menus measure their shortcut names ("Strg+N") when their
  // captions change below.
  installToolkitTranslation(QString::fromStdString(m_translator.locale()));
  applyCaptions(captionTable(), [this](const char* english) { return translate(english); });
  updateStatusBar();
  updateWindowTitle();
  m_languageDialog->retranslate();
  // A language file that was refused (too large) or cannot be read is said, not silently replaced by
  // English.
  if (!m_translator.problem().empty()) prompts().warning(this, QString::fromStdString(m_translator.problem()));
}

}  // namespace corvantel::gui
