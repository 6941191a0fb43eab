// Preview in browser: the open project generated into a fresh temporary folder and shown in the desktop's
// browser. The project, its file name and its modified flag stay as they are.
#include <QDir>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>
#include <vector>

#include "core/generator/generation_run.h"
#include "gui/app/main_window.h"
#include "gui/app/user_prompts.h"

namespace corvantel::gui {

namespace {

// The preview folders of the run, removed when the main window goes at the program's end.
class PreviewFolders : public QObject {
 public:
  explicit PreviewFolders(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("PreviewFolders")); }
  QTemporaryDir* add() {
    auto dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/corvantel-preview-XXXXXX"));
    if (!dir->isValid()) return nullptr;
    m_dirs.push_back(std::move(dir));
    return m_dirs.back().get();
  }
  QString last() const { return m_dirs.empty() ? QString() : m_dirs.back()->path(); }

 private:
  std::vector<std::unique_ptr<QTemporaryDir>> m_dirs;
};

PreviewFolders* previewFolders(MainWindow* form, bool create) {
  auto* folders = form->findChild<PreviewFolders*>(QStringLiteral("PreviewFolders"), Qt::FindDirectChildrenOnly);
  if (!folders && create) folders = new PreviewFolders(form);
  return folders;
}

}  // namespace

void MainWindow::previewInBrowser() {
  QTemporaryDir* dir = previewFolders(this, true)->add();
  if (!dir) {
    prompts().error(this, translate("Cannot create a temporary folder for the preview"));
    return;
  }
  // An error ends the command here and reaches the error box through runCommand; the folder goes at exit.
  // The run reads the document only, so the project and its modified flag stay as they were.
  const generator::GenerationReport report =
      generator::generateFiles(m_document, dir->path().toStdString(), m_programFolder);
  const std::string warning = generator::notCopiedWarning(report, m_programFolder);
  if (!warning.empty()) prompts().warning(this, QString::fromStdString(warning));
  openWebAddress(QUrl::fromLocalFile(dir->path() + QStringLiteral("/menu.html")).toString());
  // The preview's links lead into the temporary folder, but the menu's links are meant for the site: the
  // check tells what will not be found there, as after Generate.
  checkLinksAfterGeneration();
}

QString MainWindow::lastPreviewFolder() const {
  auto* folders = previewFolders(const_cast<MainWindow*>(this), false);
  return folders ? folders->last() : QString();
}

}  // namespace corvantel::gui
