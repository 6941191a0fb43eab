#pragma once

#include <QDialog>
#include <QFlags>
#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QTreeView;

namespace corvantel::gui {

// A modal folder browser: a tree of folders from a root, the instruction text above it, a status line with
// the selected path under it, a New folder button at the bottom left, OK and Cancel. OK is enabled only for
// folders with a path (with OnlyFileSystem). browse() shows it through prompts().execDialog(), so tests can
// script it.
class FolderBrowseDialog : public QDialog {
  Q_OBJECT
 public:
  enum BrowseInfoFlag {
    OnlyFileSystem = 0x1,  // only folders with a file-system path can be chosen
    OnlyDomains = 0x2,     // kept for stored settings; there are no network domains to browse here
    ShowPath = 0x4,        // the status line shows the shortened path of the selection
    OnlyAncestors = 0x8,
    OnlyComputers = 0x1000,
    OnlyPrinters = 0x2000,
  };
  Q_DECLARE_FLAGS(BrowseInfoFlags, BrowseInfoFlag)

  // The root of the tree. Folders without an equivalent here give the whole tree, as DesktopExpandedRoot.
  enum FolderRoot {
    DesktopRoot,
    DesktopExpandedRoot,
    ProgramsRoot,
    ControlPanelRoot,
    PrintersRoot,
    PersonalRoot,
    FavoritesRoot,
    StartupRoot,
    RecentRoot,
    SendtoRoot,
    RecycleBinRoot,
    StartMenuRoot,
    DesktopFolderRoot,
    MyComputerRoot,
    NetworkRoot,
    NetworkNeighborhoodRoot,
    FontsRoot,
    TemplatesRoot
  };

  explicit FolderBrowseDialog(QWidget* owner = nullptr);
  ~FolderBrowseDialog() override;

  // Shows the browser; true when the user pressed OK, with folder() the chosen folder.
  bool browse();

  QString folder() const { return m_folder; }
  void setFolder(const QString& folder) { m_folder = folder; }
  BrowseInfoFlags flags() const { return m_flags; }
  void setFlags(BrowseInfoFlags flags);
  FolderRoot rootFolder() const { return m_rootFolder; }
  void setRootFolder(FolderRoot root) { m_rootFolder = root; }
  bool isNewFolderVisible() const { return m_newFolderVisible; }
  void setNewFolderVisible(bool visible);
  bool isNewFolderEnabled() const { return m_newFolderEnabled; }
  void setNewFolderEnabled(bool enabled);
  // The button's width at 96 dots per inch; 0 or less means 75.
  int newFolderWidth() const { return m_newFolderWidth; }
  void setNewFolderWidth(int width);
  QString version() const { return QStringLiteral("1.00.00.00"); }

  // Caption lists, lines "name=value" keyed by locale key or "Default".
  QStringList labelCaptions() const { return m_labelCaptions; }
  void setLabelCaptions(const QStringList& lines);
  QStringList newFolderCaptions() const { return m_newFolderCaptions; }
  void setNewFolderCaptions(const QStringList& lines);
  // The captions in effect.
  QString labelCaption() const { return m_labelCaption; }
  QString newFolderCaption() const { return m_newFolderCaption; }
  // The locale key the captions are chosen by (taken from the user's language settings at creation).
  QString localeKey() const { return m_localeKey; }
  void setLocaleKey(const QString& key);

  // While the browser is up (also what scripted tests drive).
  QTreeView* folderTree() const { return m_tree; }
  QLabel* instructionLabel() const { return m_instruction; }
  QLabel* statusLabel() const { return m_status; }
  QPushButton* okButton() const { return m_ok; }
  QPushButton* newFolderButton() const { return m_newFolder; }
  // The path of the selected item (empty for items without one).
  QString currentPath() const { return m_currentPath; }
  // Selects `path` in the tree, opening the folders above it; false when it is not in the tree.
  bool selectFolder(const QString& path);
  // The text of the tree's first item (the root).
  QString rootText() const;

  void createNewFolder();
  // The title, OK and Cancel in the program's language (uiText); done again each time it is shown.
  void retranslate();

 signals:
  void initialized(FolderBrowseDialog* sender);
  void currentFolderChanged(FolderBrowseDialog* sender, const QString& folder);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void prepareShowing();
  void fillRoots();
  QStandardItem* addFolderItem(QStandardItem* parent, const QString& text, const QString& path);
  void loadChildren(QStandardItem* item);
  void selectionChanged();
  void updateButtons();
  void chooseCaptions();
  int scaled(int value) const;

  QLabel* m_instruction = nullptr;
  QTreeView* m_tree = nullptr;
  QStandardItemModel* m_model = nullptr;
  QLabel* m_status = nullptr;
  QPushButton* m_newFolder = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;

  QString m_labelCaption;
  QString m_folder;
  QString m_currentPath;
  BrowseInfoFlags m_flags = ShowPath;
  FolderRoot m_rootFolder = DesktopExpandedRoot;
  bool m_newFolderVisible = true;
  bool m_newFolderEnabled = true;
  QString m_newFolderCaption;
  int m_newFolderWidth = 75;
  bool m_created = false;
  bool m_selectionValid = true;
  QString m_localeKey;
  QStringList m_newFolderCaptions;
  QStringList m_labelCaptions;
};

}  // namespace corvantel::gui

Q_DECLARE_OPERATORS_FOR_FLAGS(corvantel::gui::FolderBrowseDialog::BrowseInfoFlags)
