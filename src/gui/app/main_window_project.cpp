// The project commands of the main window: New, Open, Save, Save as, Exit, the close question, and the
// project settings command.
#include <QFileInfo>

#include "core/document/document.h"
#include "core/project/project_files.h"
#include "gui/app/command.h"
#include "gui/app/main_window.h"
#include "gui/app/menu_tree_view.h"
#include "gui/app/user_prompts.h"
#include "gui/document/menu_tree_model.h"
#include "gui/document/project_settings_dialog.h"

namespace corvantel::gui {

namespace {

QString projectFilter() { return QStringLiteral("Corvantel project (*.cvp)"); }

const char* const kSaveQuestion = "Do you want to save this project ?";

}  // namespace

void MainWindow::setUpProjectFiles() { m_settingsDialog = new ProjectSettingsDialog(this); }

bool MainWindow::askToSaveChanges(bool /*translated: every caller's question follows the language now*/) {
  if (!m_document.isModified()) return true;
  const QString text = translate(kSaveQuestion);
  switch (prompts().askYesNoCancel(this, text)) {
    case UserPrompts::Answer::No:
      return true;
    case UserPrompts::Answer::Cancel:
      return false;
    case UserPrompts::Answer::Yes:
      break;
  }
  // Yes: the command goes on only when the work is really on disk.
  bool saved = false;
  return runCommand([this, &saved] { saved = saveToProjectFile(); }) && saved;
}

void MainWindow::newProject() {
  if (!askToSaveChanges(true)) return;
  m_document.resetToNewProject();
  if (document::MenuItem* selected = m_treeView->selectedItem()) fillEditFields(selected);
  m_document.setProjectFileName(document::kNoProjectName);
  m_document.setModified(false);
}

void MainWindow::openProject() {
  if (!askToSaveChanges(false)) return;
  const QString name = prompts().openFileName(this, projectFilter());
  if (name.isEmpty()) return;
  openProjectNow(QFileInfo(name).absoluteFilePath().toStdString());
}

bool MainWindow::openProjectFile(const QString& path) {
  if (!askToSaveChanges(false)) return false;
  openProjectNow(QFileInfo(path).absoluteFilePath().toStdString());
  return true;
}

void MainWindow::openProjectNow(const std::string& path) {
  // The author has answered the save question. The project is read in full before it replaces what is in
  // the window.
  readProjectFiles(path);  // a failed read leaves the document, its name and its flag as they were
  m_document.setModified(false);
}

void MainWindow::saveProject() { saveToProjectFile(); }

bool MainWindow::saveToProjectFile() {
  if (m_document.isUnnamed() || m_document.projectFileName().empty()) return saveUnderNewName();
  writeProjectFiles(m_document.projectFileName());
  m_document.setModified(false);
  return true;
}

void MainWindow::saveProjectAs() { saveUnderNewName(); }

bool MainWindow::saveUnderNewName() {
  QString name = prompts().saveFileName(this, projectFilter());
  if (name.isEmpty()) return false;
  if (!QFileInfo(name).fileName().contains(QLatin1Char('.'))) name += QStringLiteral(".cvp");
  const std::string path = QFileInfo(name).absoluteFilePath().toStdString();
  writeProjectFiles(path);  // throws before the name changes when the save fails
  m_document.setProjectFileName(path);
  m_document.setModified(false);
  return true;
}

// Exit only asks the window to close; the close question asks about unsaved work once.
void MainWindow::exitProgram() { close(); }

bool MainWindow::mayClose() { return askToSaveChanges(false); }

void MainWindow::writeProjectFiles(const std::string& path) {
  project::saveProjectFiles(m_document, path);
  rememberProject(path);
}

void MainWindow::readProjectFiles(const std::string& path) {
  try {
    project::openProjectFiles(m_document, path);
  } catch (...) {
    if (document::MenuItem* root = m_document.tree().root()) m_treeView->expand(m_model->indexFromItem(root));
    throw;
  }
  if (document::MenuItem* root = m_document.tree().root()) m_treeView->expand(m_model->indexFromItem(root));
  rememberProject(path);
}

void MainWindow::editProjectSettings() {
  m_settingsDialog->loadSettings(m_document.settings());
  if (prompts().execDialog(m_settingsDialog) == QDialog::Accepted) {
    m_document.setSettings(m_settingsDialog->settings(), true);
  }
  // The dialog shows the document's values again: after Cancel the old ones, after OK the ones kept
  // (a number field left with a lone sign shows 0).
  m_settingsDialog->loadSettings(m_document.settings());
}

}  // namespace corvantel::gui
