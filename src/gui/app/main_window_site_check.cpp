// The link check of the main window: Menu items > Check links, and the check after a generation when the
// project has a site folder. Broken items are marked in the tree and listed in the report window.
#include <QAction>
#include <QUndoStack>

#include "core/error.h"
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
  connect(m_linkReport, &LinkReportDialog::refreshWanted, this, &MainWindow::refreshLinkCheck);
  // Any edit, undo or redo may have mended or broken a link or removed a marked item, and a new or opened
  // project replaces every item: the marks and the report hold items, so none may outlive its item.
  connect(m_undoStack, &QUndoStack::indexChanged, this, &MainWindow::refreshLinkCheck);
  connect(m_model, &QAbstractItemModel::modelReset, this, &MainWindow::refreshLinkCheck);
}

std::string MainWindow::settingsFileName() const {
  return m_document.isUnnamed() ? std::string() : m_document.projectFileName();
}

void MainWindow::checkLinks() {
  const std::string site = project::siteFolderPath(m_document.settings(), settingsFileName());
  if (site.empty()) {
    prompts().warning(this, translate("Set the site folder of the project in its settings first."));
    return;
  }
  runLinkCheck(site, true);
  m_linkReport->show();
  m_linkReport->raise();
}

void MainWindow::checkLinksAfterGeneration() {
  const std::string site = project::siteFolderPath(m_document.settings(), settingsFileName());
  if (site.empty()) return;
  // The report only when something is broken; the files are written either way, so a site folder gone
  // is a warning, not a failed generation.
  try {
    if (!runLinkCheck(site, false)) return;
  } catch (const Error& e) {
    prompts().warning(this, QString::fromUtf8(e.what()));
    return;
  }
  m_linkReport->show();
  m_linkReport->raise();
}

void MainWindow::refreshLinkCheck() {
  m_model->clearLinkProblems();
  const std::string site = project::siteFolderPath(m_document.settings(), settingsFileName());
  if (!m_linkReport->isVisible() || site.empty()) {
    m_linkReport->clearReport();
    return;
  }
  // The open report follows the edits; a site folder gone meanwhile leaves it empty, without a message
  // at every edit.
  try {
    runLinkCheck(site, true);
  } catch (const Error&) {
    m_model->clearLinkProblems();
    m_linkReport->clearReport();
  }
}

bool MainWindow::runLinkCheck(const std::string& siteFolder, bool reportAllFound) {
  m_model->clearLinkProblems();
  m_linkReport->clearReport();
  const std::vector<site::BrokenLink> broken = site::checkLinks(m_document.tree(), siteFolder);
  QHash<const document::MenuItem*, QString> problems;
  QList<LinkReportDialog::Entry> entries;
  for (const site::BrokenLink& link : broken) {
    const QString reason = translate(site::problemText(link.problem));
    const QString address = QString::fromStdString(link.address);
    problems.insert(link.item, address + QStringLiteral(": ") + reason);
    entries.append({link.item, QString::fromStdString(link.captionPath), address, reason});
  }
  m_model->setLinkProblems(std::move(problems));
  if (entries.isEmpty() && !reportAllFound) return false;
  m_linkReport->setWindowTitle(translate("Link check"));
  m_linkReport->setHeaders({translate("Caption"), translate("URL"), translate("Problem")});
  m_linkReport->showEntries(entries, translate("All links found"));
  return !entries.isEmpty();
}

void MainWindow::selectCheckedItem(const document::MenuItem* item) {
  // The report is refilled or emptied at every change of the tree, so its items are still there; they
  // are looked up all the same rather than trusted.
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
