// The generation command of the main window.
#include <QDir>
#include <QFileInfo>

#include "core/generator/generation_run.h"
#include "gui/app/main_window.h"
#include "gui/app/user_prompts.h"
#include "gui/widgets/folder_browse_dialog.h"

namespace corvantel::gui {

void MainWindow::setUpGenerator() {
  // The browser the generator asks for its output folder.
  m_outputFolderDialog = new FolderBrowseDialog(this);
  m_outputFolderDialog->setObjectName(QStringLiteral("outputFolderDialog"));
  m_outputFolderDialog->setFlags(FolderBrowseDialog::OnlyFileSystem | FolderBrowseDialog::ShowPath);
  m_outputFolderDialog->setRootFolder(FolderBrowseDialog::MyComputerRoot);
  m_outputFolderDialog->setNewFolderVisible(true);
  m_outputFolderDialog->setNewFolderEnabled(true);
}

void MainWindow::generateFiles() {
  if (!m_outputFolderDialog->browse()) return;
  const std::string folder = QDir::cleanPath(m_outputFolderDialog->folder()).toStdString();
  // An error ends the command here and reaches the error box through runCommand.
  const generator::GenerationReport report = generator::generateFiles(m_document, folder, m_programFolder);
  showGeneratedFolder(QString::fromStdString(folder));
  const std::string warning = generator::notCopiedWarning(report, m_programFolder);
  if (!warning.empty()) prompts().warning(this, QString::fromStdString(warning));
  checkLinksAfterGeneration();
}

}  // namespace corvantel::gui
