#include "gui/widgets/folder_browse_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/i18n/locale_captions.h"
#include "core/io/path_shortening.h"
#include "gui/app/user_prompts.h"
#include "gui/i18n/ui_text.h"

namespace corvantel::gui {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLoadedRole = Qt::UserRole + 1;
constexpr int kPlaceholderRole = Qt::UserRole + 2;

// The caption lists every browser starts with: the same keys, in the same order, in both.
const char* const kDefaultCaptions[][3] = {
    {"Default", "Current folder:", "New folder"},
    {"0009", "Current folder:", "New folder"},
    {"0406", "Valgt mappe:", "Ny mappe"},
    {"0407", "Ausgew\xC3\xA4hlter Ordner:", "Neuer Ordner"},
    {"0409", "Current folder:", "New folder"},
    {"0410", "Cartella selezionata:", "Nuova Cartella"},
    {"0413", "Huidige map", "Nieuwe map"},
    {"0416", "Pasta Atual:", "Nova Pasta"},
    {"0807", "Ausgew\xC3\xA4hlter Ordner:", "Neuer Ordner"},
    {"0809", "Current folder:", "New folder"},
    {"0810", "Cartella selezionata:", "Nuova Cartella"},
    {"0C07", "Ausgew\xC3\xA4hlter Ordner:", "Neuer Ordner"},
    {"0C09", "Current folder:", "New folder"},
    {"1007", "Ausgew\xC3\xA4hlter Ordner:", "Neuer Ordner"},
    {"1009", "Current folder:", "New folder"},
    {"1407", "Ausgew\xC3\xA4hlter Ordner:", "Neuer Ordner"},
    {"1409", "Current folder:", "New folder"},
    {"1809", "Current folder:", "New folder"},
    {"1C09", "Current folder:", "New folder"},
    {"2009", "Current folder:", "New folder"},
    {"2809", "Current folder:", "New folder"},
    {"2C09", "Current folder:", "New folder"},
};

QStringList defaultCaptions(int column) {
  QStringList lines;
  for (const auto& row : kDefaultCaptions) {
    lines << QString::fromLatin1(row[0]) + QLatin1Char('=') + QString::fromUtf8(row[column]);
  }
  return lines;
}

QString chooseFrom(const QStringList& lines, const QString& key) {
  std::vector<std::string> list;
  list.reserve(static_cast<std::size_t>(lines.size()));
  for (const QString& line : lines) list.push_back(line.toStdString());
  return QString::fromStdString(i18n::chooseCaption(list, key.toStdString()));
}

}  // namespace

FolderBrowseDialog::FolderBrowseDialog(QWidget* owner)
    : QDialog(owner),
      m_localeKey(QString::fromStdString(i18n::localeKeyFromEnvironment())),
      m_newFolderCaptions(defaultCaptions(2)),
      m_labelCaptions(defaultCaptions(1)) {
  setModal(true);
  resize(360, 420);

  m_instruction = new QLabel(this);
  m_instruction->setObjectName(QStringLiteral("Instruction"));
  m_instruction->setWordWrap(true);

  m_model = new QStandardItemModel(this);
  m_tree = new QTreeView(this);
  m_tree->setObjectName(QStringLiteral("FolderTree"));
  m_tree->setModel(m_model);
  m_tree->setHeaderHidden(true);
  m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
  m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(m_tree, &QTreeView::expanded, this,
          [this](const QModelIndex& index) { loadChildren(m_model->itemFromIndex(index)); });
  connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { selectionChanged(); });

  m_status = new QLabel(this);
  m_status->setObjectName(QStringLiteral("StatusText"));
  m_status->setTextFormat(Qt::PlainText);

  m_newFolder = new QPushButton(this);
  m_newFolder->setObjectName(QStringLiteral("NewFolderButton"));
  m_newFolder->setAutoDefault(false);
  connect(m_newFolder, &QPushButton::clicked, this, &FolderBrowseDialog::createNewFolder);
  m_ok = new QPushButton(this);
  m_ok->setObjectName(QStringLiteral("OkButton"));
  m_ok->setDefault(true);
  connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
  m_cancel = new QPushButton(this);
  m_cancel->setObjectName(QStringLiteral("CancelButton"));
  connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_newFolder);
  buttons->addStretch(1);
  buttons->addWidget(m_ok);
  buttons->addWidget(m_cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_instruction);
  layout->addWidget(m_tree, 1);
  layout->addWidget(m_status);
  layout->addLayout(buttons);

  chooseCaptions();
  retranslate();
  setNewFolderWidth(m_newFolderWidth);
}

void FolderBrowseDialog::retranslate() {
  setWindowTitle(uiText("Browse for Folder"));
  m_ok->setText(uiText("OK"));
  m_cancel->setText(uiText("Cancel"));
}

FolderBrowseDialog::~FolderBrowseDialog() = default;

int FolderBrowseDialog::scaled(int value) const {
  const int dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
  return value * dpi / 96;
}

void FolderBrowseDialog::setNewFolderWidth(int width) {
  m_newFolderWidth = width <= 0 ? 75 : width;
  m_newFolder->setMinimumWidth(scaled(m_newFolderWidth));
}

void FolderBrowseDialog::setFlags(BrowseInfoFlags flags) {
  m_flags = flags;
  updateButtons();
}

void FolderBrowseDialog::setNewFolderVisible(bool visible) {
  m_newFolderVisible = visible;
  m_newFolder->setVisible(visible);
}

void FolderBrowseDialog::setNewFolderEnabled(bool enabled) {
  m_newFolderEnabled = enabled;
  updateButtons();
}

void FolderBrowseDialog::setLabelCaptions(const QStringList& lines) {
  if (lines == m_labelCaptions) return;
  m_labelCaptions = lines;
  chooseCaptions();
}

void FolderBrowseDialog::setNewFolderCaptions(const QStringList& lines) {
  if (lines == m_newFolderCaptions) return;
  m_newFolderCaptions = lines;
  chooseCaptions();
}

void FolderBrowseDialog::setLocaleKey(const QString& key) {
  m_localeKey = key;
  chooseCaptions();
}

void FolderBrowseDialog::chooseCaptions() {
  m_labelCaption = chooseFrom(m_labelCaptions, m_localeKey);
  m_newFolderCaption = chooseFrom(m_newFolderCaptions, m_localeKey);
  m_instruction->setText(m_labelCaption);
  m_newFolder->setText(m_newFolderCaption);
}

bool FolderBrowseDialog::browse() {
  m_currentPath = m_folder;
  int result = QDialog::Rejected;
  do {
    m_created = false;
    m_folder = m_currentPath;
    prepareShowing();
    result = prompts().execDialog(this);
  } while (m_created);
  if (result != QDialog::Accepted) return false;
  m_folder = m_currentPath;
  return true;
}

void FolderBrowseDialog::prepareShowing() {
  retranslate();
  chooseCaptions();
  m_newFolder->setVisible(m_newFolderVisible);
  fillRoots();
  m_tree->setCurrentIndex(m_model->index(0, 0));
  selectionChanged();
  if (!m_folder.isEmpty() && QFileInfo(m_folder).isDir()) selectFolder(m_folder);
  emit initialized(this);
}

void FolderBrowseDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Centred on the screen.
  if (QScreen* s = screen()) {
    const QRect area = s->geometry();
    const QSize frame = frameGeometry().size();
    move(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
  }
  m_tree->setFocus();
}

QStandardItem* FolderBrowseDialog::addFolderItem(QStandardItem* parent, const QString& text, const QString& path) {
  static const QFileIconProvider icons;
  auto* item = new QStandardItem(icons.icon(QFileIconProvider::Folder), text);
  item->setData(path, kPathRole);
  item->setData(false, kLoadedRole);
  item->setEditable(false);
  // A placeholder child gives every folder its expansion mark until it is opened.
  auto* placeholder = new QStandardItem;
  placeholder->setData(true, kPlaceholderRole);
  item->appendRow(placeholder);
  parent->appendRow(item);
  return item;
}

void FolderBrowseDialog::fillRoots() {
  m_model->clear();
  QStandardItem* top = m_model->invisibleRootItem();
  const QString home = QDir::homePath();
  auto addFolderRoot = [&](const QString& path) {
    QStandardItem* item =
        addFolderItem(top, QFileInfo(path).fileName().isEmpty() ? path : QFileInfo(path).fileName(), path);
    m_tree->expand(item->index());
  };
  switch (m_rootFolder) {
    case PersonalRoot:
      addFolderRoot(home);
      return;
    case DesktopRoot:
    case DesktopFolderRoot: {
      const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
      addFolderRoot(QFileInfo(desktop).isDir() ? desktop : home);
      return;
    }
    default:
      break;
  }
  // The computer: the file-system root and the mounted drives. It has no path of its own.
  static const QFileIconProvider icons;
  auto* computer = new QStandardItem(icons.icon(QFileIconProvider::Computer), uiText("Computer"));
  computer->setData(QString(), kPathRole);
  computer->setData(true, kLoadedRole);
  computer->setEditable(false);
  top->appendRow(computer);
  addFolderItem(computer, QStringLiteral("/"), QStringLiteral("/"));
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady() || volume.isRoot()) continue;
    if (!volume.device().startsWith("/dev/")) continue;  // only real drives, not the system's own mounts
    const QString path = volume.rootPath();
    const QString name = volume.displayName() == path ? QFileInfo(path).fileName() : volume.displayName();
    addFolderItem(computer, name + QStringLiteral(" (") + path + QLatin1Char(')'), path);
  }
  if (m_rootFolder != MyComputerRoot) addFolderItem(top, uiText("Home"), home);
  m_tree->expand(computer->index());
}

void FolderBrowseDialog::loadChildren(QStandardItem* item) {
  if (!item || item->data(kLoadedRole).toBool()) return;
  item->setData(true, kLoadedRole);
  item->removeRows(0, item->rowCount());
  const QDir dir(item->data(kPathRole).toString());
  const QFileInfoList entries =
      dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
  for (const QFileInfo& entry : entries) addFolderItem(item, entry.fileName(), entry.absoluteFilePath());
}

bool FolderBrowseDialog::selectFolder(const QString& folder) {
  const QString wanted = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
  // The folder item whose path is the longest leading part of the wanted path.
  QStandardItem* best = nullptr;
  int bestLength = -1;
  std::vector<QStandardItem*> stack{m_model->invisibleRootItem()};
  while (!stack.empty()) {
    QStandardItem* item = stack.back();
    stack.pop_back();
    for (int r = 0; r < item->rowCount(); ++r) {
      QStandardItem* child = item->child(r);
      const QString path = child->data(kPathRole).toString();
      if (path.isEmpty()) {
        if (child->data(kLoadedRole).toBool()) stack.push_back(child);  // the computer item
        continue;
      }
      const bool inside = wanted == path || path == QLatin1String("/") ||
                          wanted.startsWith(path.endsWith('/') ? path : path + QLatin1Char('/'));
      if (inside && path.size() > bestLength) {
        best = child;
        bestLength = static_cast<int>(path.size());
      }
    }
  }
  if (!best) return false;
  const QString base = best->data(kPathRole).toString();
  const QStringList parts = wanted.mid(base.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
  QStandardItem* item = best;
  for (const QString& part : parts) {
    loadChildren(item);
    QStandardItem* next = nullptr;
    for (int r = 0; r < item->rowCount() && !next; ++r) {
      if (item->child(r)->text() == part) next = item->child(r);
    }
    if (!next) break;
    m_tree->expand(item->index());
    item = next;
  }
  m_tree->setCurrentIndex(item->index());
  m_tree->scrollTo(item->index());
  return item->data(kPathRole).toString() == wanted;
}

QString FolderBrowseDialog::rootText() const {
  QStandardItem* first = m_model->item(0);
  return first ? first->text() : QString();
}

void FolderBrowseDialog::selectionChanged() {
  QStandardItem* item = m_model->itemFromIndex(m_tree->currentIndex());
  m_currentPath = item ? item->data(kPathRole).toString() : QString();
  if (m_flags.testFlag(ShowPath)) {
    QString text = QString::fromStdString(io::shortenPath(m_currentPath.toStdString(), 50));
    if (text.isEmpty() && item) text = item->text();
    m_status->setText(text);
  } else {
    m_status->clear();
  }
  m_selectionValid = !m_currentPath.isEmpty();
  updateButtons();
  emit currentFolderChanged(this, m_currentPath);
}

void FolderBrowseDialog::updateButtons() {
  m_ok->setEnabled(!m_flags.testFlag(OnlyFileSystem) || !m_currentPath.isEmpty());
  m_newFolder->setEnabled(m_selectionValid && m_newFolderEnabled);
}

void FolderBrowseDialog::createNewFolder() {
  if (m_currentPath.isEmpty()) return;
  const std::optional<QString> name = prompts().inputText(this, m_newFolderCaption, QString());
  if (!name || name->isEmpty()) return;
  QString path = m_currentPath;
  if (!name->startsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
  path += *name;
  path = QDir::cleanPath(path);
  if (!QDir().mkpath(path) || !QFileInfo(path).isDir()) {
    prompts().warning(this, uiText("The folder %1 could not be created.").arg(path));
    return;  // the browser stays as it was
  }
  m_created = true;
  m_currentPath = path;
  reject();  // Execute shows the browser again, with the new folder selected
}

}  // namespace corvantel::gui
