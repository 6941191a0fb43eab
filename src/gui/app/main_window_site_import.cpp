// Import menu from page: the navigation of a web page, or the addresses of a sitemap, become the menu tree
// in one step the author can undo.
#include <QDir>
#include <QFileInfo>
#include <QUndoStack>
#include <QStringList>
#include <string>

#include "core/document/edit_history.h"
#include "core/project/settings_file.h"
#include "core/site/navigation_import.h"
#include "gui/app/main_window.h"
#include "gui/app/user_prompts.h"

namespace corvantel::gui {

namespace {

// The texts of one count: the one for a single thing and the one with "%1" for any other number.
struct CountText {
  const char* one;
  const char* many;
};

}  // namespace

QString MainWindow::importReportText(const site::ImportReport& report, const QString& fileName) const {
  const auto count = [this](std::size_t n, CountText text) {
    return n == 1 ? translate(text.one) : translate(text.many).arg(n);
  };
  QString text = translate("Imported %1 from %2.").arg(count(report.taken, {"1 menu item", "%1 menu items"}), fileName);
  QStringList skipped;
  if (report.extraLinks > 0) {
    skipped << count(report.extraLinks, {"1 link outside the lists or beside the first link of an entry",
                                         "%1 links outside the lists or beside the first link of an entry"});
  }
  if (report.emptyEntries > 0) {
    skipped << count(report.emptyEntries, {"1 empty entry", "%1 empty entries"});
  }
  if (report.duplicates > 0) {
    skipped << count(report.duplicates, {"1 address listed twice", "%1 addresses listed twice"});
  }
  if (!skipped.isEmpty()) text += u' ' + translate("Skipped: %1.").arg(skipped.join(QStringLiteral(", ")));
  if (report.shortened > 0) {
    text += u' ' + count(report.shortened, {"1 caption was shortened to the length limit.",
                                            "%1 captions were shortened to the length limit."});
  }
  return text;
}

void MainWindow::importMenuFromPage() {
  if (!askToSaveChanges(false)) return;
  const QString filter = translate("Web pages") + QStringLiteral(" (*.html *.htm);;") + translate("Sitemaps") +
                         QStringLiteral(" (*.xml);;") + translate("All files") + QStringLiteral(" (*)");
  // The dialog starts in the site folder when the project has one, else beside the project.
  const std::string site = project::siteFolderPath(m_document.settings(), settingsFileName());
  const QString path =
      prompts().openFileName(this, filter, site.empty() ? projectFolder() : QString::fromStdString(site));
  if (path.isEmpty()) return;

  // Read in full before anything changes: a page the import refuses leaves the document and its history
  // as they were, and the error box shows why.
  document::MenuTree imported;
  site::ImportReport report;
  site::importFile(QFileInfo(path).absoluteFilePath().toStdString(), imported, report);
  // A project without a site folder takes the page's folder, whose files the imported addresses name, so
  // that Check links and Put menu into pages work at once; one undo step takes back both.
  QString text = importReportText(report, QFileInfo(path).fileName());
  if (m_document.settings().siteFolder.empty()) {
    document::ProjectSettings settings = m_document.settings();
    settings.siteFolder = QFileInfo(path).absolutePath().toStdString();
    m_undoStack->beginMacro(QString::fromUtf8(document::kEditImportMenu));
    pushEdit(document::makeReplaceTree(m_document, std::move(imported)));
    pushEdit(document::makeSetSettings(m_document, settings));
    m_undoStack->endMacro();
    text += u' ' + translate("The site folder of the project is now %1.")
                       .arg(QDir::toNativeSeparators(QString::fromStdString(settings.siteFolder)));
  } else {
    pushEdit(document::makeReplaceTree(m_document, std::move(imported)));
  }
  prompts().information(this, text);
}

}  // namespace corvantel::gui
