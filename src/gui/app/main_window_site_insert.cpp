// Put menu into pages: the menu of the project written into pages of its site folder.
#include <QDir>
#include <QLabel>
#include <QStringList>
#include <string>
#include <vector>

#include "core/help/help_path.h"
#include "core/project/settings_file.h"
#include "core/site/page_insertion.h"
#include "gui/app/main_window.h"
#include "gui/app/user_prompts.h"

namespace corvantel::gui {

namespace {

QString lines(const std::vector<std::string>& items) {
  QString text;
  for (const std::string& item : items) text += QStringLiteral("\n  ") + QString::fromStdString(item);
  return text;
}

}  // namespace

void MainWindow::insertMenuIntoPages() {
  if (m_document.settings().siteFolder.empty()) {
    prompts().warning(this, translate("Set the site folder of the project in its settings first."));
    return;
  }
  const std::string siteFolder = project::siteFolderPath(m_document.settings(), m_document.projectFileName());
  const QString filter = translate("Web pages") + QStringLiteral(" (*.html *.htm *.shtml *.xhtml);;") +
                         translate("All files") + QStringLiteral(" (*)");
  const QStringList files = prompts().openFileNames(this, filter, QString::fromStdString(siteFolder));
  if (files.isEmpty()) return;
  std::vector<std::string> pages;
  for (const QString& file : files) pages.push_back(QDir::cleanPath(file).toStdString());

  // Nothing is written before the author has seen which pages change.
  const std::vector<site::PageChange> changes = site::preparePages(m_document, siteFolder, pages);
  std::vector<std::string> changing;
  std::vector<std::string> failing;
  for (const site::PageChange& change : changes) {
    if (!change.error.empty()) failing.push_back(change.name + ": " + change.error);
    if (change.changes) changing.push_back(change.name);
  }
  const QString left = failing.empty() ? QString()
                                       : QStringLiteral("\n\n") + translate("These pages are left as they were:") +
                                             lines(failing);
  if (changing.empty()) {
    prompts().warning(this, translate("None of the chosen pages changes.") + left);
    return;
  }
  if (!prompts().confirmOkCancel(this, translate("These pages will change:") + lines(changing) + left,
                                 help::help_context::kOwnSite)) return;

  const site::InsertionReport report = site::writePages(changes, m_document, siteFolder, m_programFolder);
  m_statusOutput->setText(
      translate("%1 of %2 pages changed").arg(report.changed.size()).arg(pages.size()));
  std::vector<std::string> problems = report.failed;
  for (const std::string& name : report.notCopied) problems.push_back(name);
  if (!problems.empty()) {
    prompts().warning(this, translate("%1 of %2 pages changed").arg(report.changed.size()).arg(pages.size()) +
                                QStringLiteral("\n\n") + translate("These pages are left as they were:") +
                                lines(problems));
  }
}

}  // namespace corvantel::gui
