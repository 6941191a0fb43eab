// What the window keeps in Corvantel.ini besides the language (the recent projects of the File menu, the
// border between the tree and the editing panel), and opening a project file dropped onto the window.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSplitter>
#include <QUrl>
#include <algorithm>

#include "core/ini/ini_file.h"
#include "core/ini/program_settings.h"
#include "core/ini/recent_projects.h"
#include "core/io/ascii.h"
#include "core/io/file_io.h"
#include "gui/app/command.h"
#include "gui/app/main_window.h"
#include "gui/app/user_prompts.h"

namespace corvantel::gui {

namespace {

// The tree's width in pixels, in a section of its own so that "Settings" stays as the program writes it.
constexpr const char* kWindowSection = "Window";
constexpr const char* kTreeWidthKey = "TreeWidth";
constexpr int kEditingPanelWidth = 313;  // the panel's width in a window that was never rearranged

// The settings-file path named by a drag, or an empty text when it names none.
QString droppedProject(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QString path = url.toLocalFile();
    if (path.endsWith(QStringLiteral(".cvp"), Qt::CaseInsensitive)) return path;
  }
  return {};
}

}  // namespace

std::string MainWindow::programSettingsPath() const { return ini::ProgramSettings(m_programFolder).path(); }

void MainWindow::restoreSplitter() {
  const int room = m_splitter->width() - m_splitter->handleWidth();
  int tree = room - kEditingPanelWidth;
  const std::optional<std::int32_t> kept =
      io::parseInt32(ini::readString(programSettingsPath(), kWindowSection, kTreeWidthKey, ""));
  if (kept && *kept > 0) tree = *kept;
  tree = std::max(1, tree);
  m_splitter->setSizes({tree, std::max(1, room - tree)});
}

// Written at the close only when the user moved the border, so an untouched window adds nothing to the file.
void MainWindow::saveSplitter() {
  if (!m_splitterMoved) return;
  try {
    ini::writeString(programSettingsPath(), kWindowSection, kTreeWidthKey,
                     std::to_string(m_splitter->sizes().value(0)));
  } catch (const std::exception&) {
    // Like the recent list, the layout is a convenience: an unwritable file was reported for the language.
  }
}

void MainWindow::setUpRecentProjects() {
  setAcceptDrops(true);
  // The entries stand between "Language" and "Exit", with a separator of their own above them.
  const QList<QAction*> actions = m_fileMenu->actions();
  const int exitAt = static_cast<int>(actions.indexOf(m_exitAction));
  m_recentAnchor = exitAt > 0 ? actions.at(exitAt - 1) : m_exitAction;
  m_recentSeparator = new QAction(this);
  m_recentSeparator->setSeparator(true);
  m_recentSeparator->setObjectName(QStringLiteral("RecentSeparator"));
  m_fileMenu->insertAction(m_recentAnchor, m_recentSeparator);
  rebuildRecentMenu();
}

QStringList MainWindow::recentProjects() const {
  QStringList out;
  const ini::RecentProjects list = ini::RecentProjects::load(programSettingsPath());
  for (const std::string& p : list.paths()) out << QString::fromStdString(p);
  return out;
}

void MainWindow::rebuildRecentMenu() {
  for (QAction* a : std::as_const(m_recentActions)) {
    m_fileMenu->removeAction(a);
    a->deleteLater();
  }
  m_recentActions.clear();
  const QStringList paths = recentProjects();
  for (int i = 0; i < paths.size(); ++i) {
    const QString path = paths.at(i);
    auto* a = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), this);
    a->setObjectName(QStringLiteral("RecentProject%1").arg(i + 1));
    a->setToolTip(path);
    a->setStatusTip(path);
    a->setData(path);
    connect(a, &QAction::triggered, this, [this, path] { runCommand([this, &path] { openRecentProject(path); }); });
    m_fileMenu->insertAction(m_recentAnchor, a);
    m_recentActions.append(a);
  }
  m_recentSeparator->setVisible(!paths.isEmpty());
}

void MainWindow::changeRecentProjects(const std::function<void(ini::RecentProjects&)>& change) {
  ini::RecentProjects list = ini::RecentProjects::load(programSettingsPath());
  change(list);
  try {
    list.save(programSettingsPath());
  } catch (const std::exception&) {
    // The list is a convenience: a settings file that cannot be written must not stop a save or an open.
  }
  rebuildRecentMenu();
}

void MainWindow::rememberProject(const std::string& path) {
  if (path.empty() || path == document::kNoProjectName) return;
  changeRecentProjects([&path](ini::RecentProjects& list) { list.add(path); });
}

void MainWindow::openRecentProject(const QString& path) {
  if (!io::fileExists(path.toStdString())) {
    changeRecentProjects([&path](ini::RecentProjects& list) { list.remove(path.toStdString()); });
    prompts().warning(this, translate("The project %1 no longer exists. It has been removed from the list of "
                                      "recent projects.")
                                .arg(path));
    return;
  }
  openProjectFile(path);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedProject(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  } else {
    QMainWindow::dragEnterEvent(event);
  }
}

void MainWindow::dropEvent(QDropEvent* event) {
  if (!openDroppedProject(event->mimeData())) {
    QMainWindow::dropEvent(event);
    return;
  }
  event->acceptProposedAction();
}

bool MainWindow::openDroppedProject(const QMimeData* data) {
  const QString path = droppedProject(data);
  if (path.isEmpty()) return false;
  // The drop opens the project as Open project does, save question included.
  runCommand([this, &path] { openProjectFile(path); });
  return true;
}

}  // namespace corvantel::gui
