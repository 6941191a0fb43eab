// The link check of the main window: Menu items > Check links, and the check after a generation when the
// project has a site folder. Broken items are marked in the tree and listed in the report window.
#include <QAction>
#include <QUndoStack>

#include "core/project/settings_file.h"
#include "core/site/link_check.h"
#include "gui/app/main_window.h"
#include "gui/app/menu_tree_view.h"
#include "gui/app/user_prompts.h"
#include "gui/document/menu_tree_model.h"
#include "gui/site/link_report_dialog.h"

namespace corvantel::gui {

void MainWindow::setUpLinkCheck() {
  m_linkReport = new LinkReportDialog(this);
  connect(m_linkReport, &LinkReportDialog::itemChosen, this, &MainWindow::selectCheckedItem);
  // Any edit, undo or redo may have mended or broken a link, or removed a marked item.
  connect(m_undoStack, &QUndoStack::indexChanged, m_model, &MenuTreeModel::clearLinkProblems);
}

std::string MainWindow::settingsFileName() const {
  return m_document.isUnnamed() ? std::string() : m_document.projectFileName();
}

void MainWindow::checkLinks() {
  const std::string site = project::siteFolderPath(m_document.settings(), settingsFileName());
  if (site.empty()) {
    prompts().warning(this, translate("No site folder is set: choose one in the project settings."));
    return;
  }
  runLinkCheck(site, true);
}

void MainWindow::checkLinksAfterGeneration() {
  const std::string site = project::siteFolderPath(m_document.settings(), settingsFileName());
  if (!site.empty()) runLinkCheck(site, false);  // the report only when something is broken
}

void MainWindow::runLinkCheck(const std::string& siteFolder, bool reportAllFound) {
  m_model->clearLinkProblems();
  const std::vector<site::BrokenLink> broken = site::checkLinks(m_document.tree(), siteFolder);
  QHash<const document::MenuItem*, QString> problems;
  QList<LinkReportDialog::Entry> entries;
  for (const site::BrokenLink& link : broken) {
    const QString reason = link.problem == site::LinkProblem::OutsideSite
                               ? translate("The address leads outside the site folder")
                               : translate("No such file or folder in the site folder");
    const QString address = QString::fromStdString(link.address);
    problems.insert(link.item, address + QStringLiteral(": ") + reason);
    const QString caption = QString::fromStdString(document::extractTitle(link.item->text()));
    entries.append({link.item, caption + QStringLiteral("  \u2013  ") + address + QStringLiteral(": ") + reason});
  }
  m_model->setLinkProblems(std::move(problems));
  if (entries.isEmpty() && !reportAllFound) return;
  m_linkReport->setWindowTitle(translate("Link check"));
  m_linkReport->showReport(entries, translate("All links found"));
}

void MainWindow::selectCheckedItem(const document::MenuItem* item) {
  // The report may be older than the tree: only an item still in it is selected.
  document::MenuItem* found = nullptr;
  m_document.tree().forEach([&](const document::MenuItem& candidate, int) {
    if (&candidate == item) found = const_cast<document::MenuItem*>(&candidate);
  });
  if (!found) return;
  showEditedItem(found);
  activateWindow();
  m_treeView->setFocus();
}

}  // namespace corvantel::gui
