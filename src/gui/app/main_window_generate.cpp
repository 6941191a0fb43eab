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
  FolderBrowseDialog1 = new FolderBrowseDialog(this);
  FolderBrowseDialog1->setObjectName(QStringLiteral("FolderBrowseDialog1"));
  FolderBrowseDialog1->setFlags(FolderBrowseDialog::OnlyFileSystem | FolderBrowseDialog::ShowPath);
  FolderBrowseDialog1->setRootFolder(FolderBrowseDialog::foMyComputer);
  FolderBrowseDialog1->setNewFolderVisible(true);
  FolderBrowseDialog1->setNewFolderEnabled(true);
  // A second browser with the defaults, used by no command.
  FolderBrowseDialog2 = new FolderBrowseDialog(this);
  FolderBrowseDialog2->setObjectName(QStringLiteral("FolderBrowseDialog2"));
  FolderBrowseDialog2->setFlags(FolderBrowseDialog::ShowPath);
}

void MainWindow::generateFiles() {
  if (!FolderBrowseDialog1->browse()) return;
  const std::string folder = QDir::cleanPath(FolderBrowseDialog1->folder()).toStdString();
  // An error ends the command here and reaches the application's error box.
  const generator::GenerationReport report = generator::generateFiles(m_document, folder, ProgramFolder);
  showGeneratedFolder(QString::fromStdString(folder));
  const std::string warning = generator::notCopiedWarning(report, ProgramFolder);
  if (!warning.empty()) prompts().warning(this, QString::fromStdString(warning));
}

}  // namespace corvantel::gui
