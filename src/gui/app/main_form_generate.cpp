// The generation command of the main window.
#include <QDir>
#include <QFileInfo>

#include "core/generator/generation_run.h"
#include "gui/app/main_form.h"
#include "gui/app/user_prompts.h"
#include "gui/widgets/folder_browse_dialog.h"

namespace corvantel::gui {

void TCorvantelMainForm::setUpGenerator() {
  // The browser the generator asks for its output folder.
  FolderBrowseDialog1 = new TFolderBrowseDialog(this);
  FolderBrowseDialog1->setObjectName(QStringLiteral("FolderBrowseDialog1"));
  FolderBrowseDialog1->setFlags(TFolderBrowseDialog::OnlyFileSystem | TFolderBrowseDialog::ShowPath);
  FolderBrowseDialog1->setRootFolder(TFolderBrowseDialog::foMyComputer);
  FolderBrowseDialog1->setNewFolderVisible(true);
  FolderBrowseDialog1->setNewFolderEnabled(true);
  // A second browser with the defaults, used by no command.
  FolderBrowseDialog2 = new TFolderBrowseDialog(this);
  FolderBrowseDialog2->setObjectName(QStringLiteral("FolderBrowseDialog2"));
  FolderBrowseDialog2->setFlags(TFolderBrowseDialog::ShowPath);
}

void TCorvantelMainForm::Button1Click() {
  if (!FolderBrowseDialog1->Execute()) return;
  const std::string folder = QDir::cleanPath(FolderBrowseDialog1->Folder()).toStdString();
  // An error ends the command here and reaches the application's error box.
  const generator::GenerationReport report = generator::generateFiles(m_document, folder, ProgramFolder);
  showGeneratedFolder(QString::fromStdString(folder));
  const std::string warning = generator::notCopiedWarning(report, ProgramFolder);
  if (!warning.empty()) prompts().warning(this, QString::fromStdString(warning));
}

}  // namespace corvantel::gui
