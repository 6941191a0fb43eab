#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/document/document.h"
#include "core/document/edit_history.h"
#include "core/i18n/translate.h"
#include "gui/i18n/caption_table.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QMimeData;
class QPushButton;
class QSplitter;
class QToolBar;
class QUndoStack;

namespace corvantel::ini {
class RecentProjects;
}

namespace corvantel::site {
struct ImportReport;
}

namespace corvantel::gui {

class MenuTreeModel;
class MenuTreeView;
struct DropPlace;
class ProjectSettingsDialog;
class LanguageDialog;
class FolderBrowseDialog;
class HelpHook;
class LinkReportDialog;

// How the program was started: its folder (with a trailing separator) and the command-line arguments
// after the program name.
struct StartOptions {
  std::string programFolder;
  QStringList arguments;
};

// The main window (the program's main form in its own history): menu bar and tool bar on top, the item
// tree on the left, the editing panel on the right. Its public functions are the commands of the
// program; the menu, the tool bar and the panel reach them through runCommand, so that an error ends the
// command in the error box. The document lives in m_document; the tree view shows it through
// MenuTreeModel. Controls are found by their object names (tests) and are not reached from outside.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(StartOptions options, QWidget* parent = nullptr);
  ~MainWindow() override;

  // --- the document and program-wide state ---
  document::Document& document() { return m_document; }
  MenuTreeModel* treeModel() const { return m_model; }
  // The item Set writes to: the one last clicked or selected; null when there is none.
  document::MenuItem* currentItem() const { return m_currentItem; }
  const std::string& programFolder() const { return m_programFolder; }
  const i18n::Translator& translator() const { return m_translator; }
  i18n::Translator& translator() { return m_translator; }
  // The current language's text for `english`, as a QString.
  QString translate(const char* english) const;
  const StartOptions& startOptions() const { return m_options; }

  // --- menu tree editing ---
  // Every edit is one step of the undo history; the item it concerns becomes the current one.
  // Add menu: a new item after the current one; with the root or nothing current, the root's last child.
  void addMenu();
  // Add submenu: a new last child of the current item; with nothing current, of the root.
  void addSubmenu();
  void removeSelected();
  // Set: writes the caption and address fields into the current item.
  void applyItemEdits();
  // The end of a drag in the tree: the selected item moves to the place the drop indicator showed at
  // `point` (before, after or into the item there, or the end of the menu below the last row).
  void dropDraggedItem(const QPoint& point);
  // The keyboard moves of the current item: among its siblings, into the item above, out of its parent.
  void moveItemUp();
  void moveItemDown();
  void indentItem();
  void outdentItem();
  // F2: the focus goes to the Caption field with its text selected.
  void editCaption();
  void undo();
  void redo();
  QUndoStack* undoStack() const { return m_undoStack; }

  // --- project files and the document cycle ---
  void newProject();
  void openProject();
  void saveProject();
  void saveProjectAs();
  void exitProgram();
  // The close question: whether the window may close.
  bool mayClose();
  void writeProjectFiles(const std::string& path);
  void readProjectFiles(const std::string& path);
  // Opens the project whose settings file is `path`, after the save question: Open project without its
  // file dialog. Returns whether the project was opened (false when the question stopped it).
  bool openProjectFile(const QString& path);
  // Recent projects: the list shown in the File menu (newest first), adding a project that was opened or
  // saved, and opening an entry (a project that no longer exists is removed with a message).
  QStringList recentProjects() const;
  void rememberProject(const std::string& path);
  void openRecentProject(const QString& path);
  // What a drop onto the window does: opens the first project settings file it names (after the save
  // question). Returns false when the drop names no project.
  bool openDroppedProject(const QMimeData* data);

  // --- the other commands ---
  void editProjectSettings();
  void generateFiles();
  // Check links: the items whose address names no file or folder of the project's site folder get the
  // warning sign and are listed in the report window.
  void checkLinks();
  // Preview in browser: generates into a fresh temporary folder (removed at exit) and opens its menu.html.
  void previewInBrowser();
  // Import menu from page: after the save question, the navigation of a chosen page (or the addresses of
  // a sitemap) replace the tree as one undo step, and a message says how many items came and what was left.
  void importMenuFromPage();
  // Put menu into pages: the chosen pages of the site folder get the menu between marker comments, after a
  // list of the pages that will change.
  void insertMenuIntoPages();
  // The folder the last preview was generated into; empty before the first.
  QString lastPreviewFolder() const;
  void chooseLanguage();
  void showHelpContents();
  void openMakerWebPage();
  void showAbout();
  // Gives every caption of the window and of its dialogs the current language's text.
  void translateWindows();

  // --- start-up and shut-down ---
  void startUp();
  void shutDown();
  bool formShown() const { return m_shown; }

  // The status line: the open project's name and whether it has unsaved changes, and after a generation
  // run the folder written.
  void showGeneratedFolder(const QString& folder);
  QString statusText() const;

  // Opens a web address in the desktop's browser; failures are not reported.
  static void openWebAddress(const QString& address);
  static QString makerHomePage();
  static QString publisherSite();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The builders of the window, in the order the constructor calls them.
  QMenuBar* buildMainMenu();
  QToolBar* buildToolBar();
  QWidget* buildEditingPanel();
  void connectTreeView();
  // Every caption of the window and its dialogs, in the order the translation looks them up.
  CaptionTable captionTable() const;
  QAction* addCommand(QMenu* menu, const char* name, const QKeySequence& shortcut, void (MainWindow::*command)());
  QAction* addToolButton(const char* name, const char* hint, int icon, void (MainWindow::*command)());

  // The editing commands: undo and redo, the tree's keys and context menu, the commands' enabling.
  void setUpEditing();
  // Pushes `operation` as one undo step (a null one changes nothing and pushes nothing).
  void pushEdit(document::EditOperationPtr operation);
  // After an edit, its undo or its redo: `item` becomes visible, selected and current (null: the
  // selection stays as the tree has it).
  void showEditedItem(document::MenuItem* item);
  void updateUndoActions() const;
  void updateCommandStates();
  // The move a drop of `dragged` at `place` would make, or null when the rules refuse it.
  document::EditOperationPtr dropOperation(document::MenuItem* dragged, const DropPlace& place);
  void takeCurrentItem(document::MenuItem* item);
  void showClickedItem();
  void repaintTree();
  void setUpStatusBar();
  void setUpRecentProjects();
  void rebuildRecentMenu();
  // Loads the recent list, applies `change`, writes it back (a failed write is ignored) and rebuilds the menu.
  void changeRecentProjects(const std::function<void(ini::RecentProjects&)>& change);
  std::string programSettingsPath() const;
  // The border between the tree and the editing panel, as the user left it at the last close.
  void restoreSplitter();
  void saveSplitter();
  void updateStatusBar();
  void updateWindowTitle();
  void fillEditFields(const document::MenuItem* item);
  // Hooks of the features, each in its own source file.
  void setUpProjectFiles();
  void setUpGenerator();
  void setUpLinkCheck();
  void checkLinksAfterGeneration();
  // Marks the broken items and fills the report (also with none broken when `reportAllFound`); returns
  // whether any link is broken. Throws corvantel::Error when the site folder is missing.
  bool runLinkCheck(const std::string& siteFolder, bool reportAllFound);
  void refreshLinkCheck();
  void selectCheckedItem(const document::MenuItem* item);
  // What an import took and left, in the current language: "Imported 12 menu items from index.html. ..."
  QString importReportText(const site::ImportReport& report, const QString& fileName) const;
  // The project's settings file; empty for a project that has none yet.
  std::string settingsFileName() const;
  void setUpLocalization();
  void setUpHelp();
  void fillLanguageList();
  void createHelpSystem();
  void tearDownHelp();
  // The save question before the document is thrown away: whether the command may go on (No, or Yes and
  // the save happened). A failed save is shown in the error box and stops the command.
  bool askToSaveChanges(bool translated);
  // Save project / Save project as; false when the file dialog was cancelled. Errors are thrown.
  bool saveToProjectFile();
  bool saveUnderNewName();
  // The filter of the project file dialogs, and the open project's folder (empty for a new project).
  QString projectFilter() const;
  QString projectFolder() const;
  // readProjectFiles with the modified flag cleared, whatever part of the project could be read.
  void openProjectNow(const std::string& path);

  StartOptions m_options;
  std::string m_programFolder;
  document::Document m_document;
  MenuTreeModel* m_model = nullptr;
  document::MenuItem* m_currentItem = nullptr;
  i18n::Translator m_translator;
  bool m_shown = false;
  bool m_closing = false;
  bool m_splitterMoved = false;

  // The menus of the window's menu bar.
  QMenu* m_fileMenu = nullptr;
  QMenu* m_itemsMenu = nullptr;
  QMenu* m_helpMenu = nullptr;
  QAction* m_newProjectAction = nullptr;
  QAction* m_openProjectAction = nullptr;
  QAction* m_saveProjectAction = nullptr;
  QAction* m_saveProjectAsAction = nullptr;
  QAction* m_projectSettingsAction = nullptr;
  QAction* m_generateAction = nullptr;
  QAction* m_previewAction = nullptr;
  QAction* m_importMenuAction = nullptr;
  QAction* m_insertMenuAction = nullptr;
  QAction* m_languageAction = nullptr;
  QAction* m_exitAction = nullptr;
  QAction* m_addMenuAction = nullptr;
  QAction* m_addSubmenuAction = nullptr;
  QAction* m_removeMenuAction = nullptr;
  QAction* m_undoAction = nullptr;
  QAction* m_redoAction = nullptr;
  QAction* m_checkLinksAction = nullptr;
  QAction* m_moveUpAction = nullptr;
  QAction* m_moveDownAction = nullptr;
  QAction* m_indentAction = nullptr;
  QAction* m_outdentAction = nullptr;
  QAction* m_editCaptionAction = nullptr;
  QAction* m_removeMenuButton = nullptr;
  // The tool bar's own buttons with the English hint each shows (its key in the language files).
  std::vector<std::pair<QAction*, const char*>> m_toolButtonHints;
  QMenu* m_treeContextMenu = nullptr;
  QUndoStack* m_undoStack = nullptr;
  QAction* m_contentsAction = nullptr;
  QAction* m_makerWebPageAction = nullptr;
  QAction* m_aboutAction = nullptr;
  QToolBar* m_toolBar = nullptr;

  QSplitter* m_splitter = nullptr;  // the tree on the left, the editing panel on the right
  MenuTreeView* m_treeView = nullptr;
  QWidget* m_editingPanel = nullptr;
  QLabel* m_captionLabel = nullptr;
  QLineEdit* m_captionEdit = nullptr;
  QLabel* m_urlLabel = nullptr;
  QLineEdit* m_urlEdit = nullptr;
  QPushButton* m_setButton = nullptr;

  // Dialogs made once for the whole run.
  ProjectSettingsDialog* m_settingsDialog = nullptr;
  LanguageDialog* m_languageDialog = nullptr;
  FolderBrowseDialog* m_outputFolderDialog = nullptr;
  LinkReportDialog* m_linkReport = nullptr;
  HelpHook* m_helpHook = nullptr;  // from start-up to shut-down

  QLabel* m_statusProject = nullptr;
  QLabel* m_statusOutput = nullptr;
  QAction* m_recentAnchor = nullptr;
  QAction* m_recentSeparator = nullptr;
  QList<QAction*> m_recentActions;
};

}  // namespace corvantel::gui
