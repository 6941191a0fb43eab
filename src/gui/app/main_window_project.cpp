// The project commands of the main window: New, Open, Save, Save as, Exit, the close question, and the
// project settings command.
#include <QDir>
#include <QFileInfo>
#include <QUndoStack>

#include "core/document/document.h"
#include "core/document/edit_history.h"
#include "core/project/menu_data_file.h"
#include "core/project/project_files.h"
#include "gui/app/command.h"
#include "gui/app/main_window.h"
#include "gui/app/menu_tree_view.h"
#include "gui/app/user_prompts.h"
#include "gui/document/menu_tree_model.h"
#include "gui/document/project_settings_dialog.h"

namespace corvantel::gui {

namespace {

// The settings file path as the file dialogs show it.
QString qpath(const std::string& path) { return QDir::toNativeSeparators(QString::fromStdString(path)); }

// Whether `a` and `b` name the same file (through links too) once both exist; else whether the paths match.
bool sameFile(const QString& a, const QString& b) {
  const QString ca = QFileInfo(a).canonicalFilePath();
  const QString cb = QFileInfo(b).canonicalFilePath();
  if (!ca.isEmpty() && !cb.isEmpty()) return ca == cb;
  return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

const char* const kSaveQuestion = "Do you want to save this project ?";

}  // namespace

QString MainWindow::projectFilter() const {
  return translate("Corvantel project") + QStringLiteral(" (*.cvp);;") + translate("All files") +
         QStringLiteral(" (*)");
}

QString MainWindow::projectFolder() const {
  if (m_document.isUnnamed() || m_document.projectFileName().empty()) return {};
  return QFileInfo(QString::fromStdString(m_document.projectFileName())).absolutePath();
}

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
  m_undoStack->clear();  // its steps point at the items that go now
  m_document.resetToNewProject();
  if (document::MenuItem* selected = m_treeView->selectedItem()) fillEditFields(selected);
  m_document.setProjectFileName(document::kNoProjectName);
  m_document.setModified(false);
}

void MainWindow::openProject() {
  if (!askToSaveChanges(false)) return;
  const QString name = prompts().openFileName(this, projectFilter(), projectFolder());
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
  m_undoStack->setClean();
  m_document.setModified(false);
  return true;
}

void MainWindow::saveProjectAs() { saveUnderNewName(); }

bool MainWindow::saveUnderNewName() {
  // The dialog proposes the current name; after No to the replace question it comes back with the name
  // the author chose.
  QString proposal = projectFolder().isEmpty() ? QString() : qpath(m_document.projectFileName());
  std::string path;
  for (;;) {
    QString name = prompts().saveFileName(this, projectFilter(), proposal);
    if (name.isEmpty()) return false;
    if (!QFileInfo(name).fileName().contains(QLatin1Char('.'))) name += QStringLiteral(".cvp");
    path = QFileInfo(name).absoluteFilePath().toStdString();
    const QString settingsFile = QString::fromStdString(path);
    const QString dataFile = QString::fromStdString(project::menuDataPath(path));
    const bool own = !projectFolder().isEmpty() &&
                     sameFile(settingsFile, QString::fromStdString(m_document.projectFileName()));
    if (own || (!QFileInfo::exists(settingsFile) && !QFileInfo::exists(dataFile))) break;
    const QString question = translate("A project with this name exists already.") + QStringLiteral("\n\n") +
                             QDir::toNativeSeparators(settingsFile) + u'\n' + QDir::toNativeSeparators(dataFile) +
                             QStringLiteral("\n\n") + translate("Do you want to replace its files?");
    const UserPrompts::Answer answer = prompts().askYesNoCancel(this, question);
    if (answer == UserPrompts::Answer::Yes) break;
    if (answer == UserPrompts::Answer::Cancel) return false;
    proposal = name;  // No: back to the dialog
  }
  writeProjectFiles(path);  // throws before the name changes when the save fails
  m_document.setProjectFileName(path);
  m_undoStack->setClean();
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
  m_undoStack->clear();  // the items its steps point at went with the old tree
  if (document::MenuItem* root = m_document.tree().root()) m_treeView->expand(m_model->indexFromItem(root));
  rememberProject(path);
}

void MainWindow::editProjectSettings() {
  m_settingsDialog->loadSettings(m_document.settings(), settingsFileName());
  if (prompts().execDialog(m_settingsDialog) == QDialog::Accepted) {
    pushEdit(document::makeSetSettings(m_document, m_settingsDialog->settings()));
  }
  // The dialog shows the document's values again: after Cancel the old ones, after OK the ones kept
  // (a number field left with a lone sign shows 0).
  m_settingsDialog->loadSettings(m_document.settings(), settingsFileName());
}

}  // namespace corvantel::gui
