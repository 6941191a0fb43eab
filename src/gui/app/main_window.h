#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

#include "core/document/document.h"
#include "core/i18n/translate.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPushButton;
class QToolBar;

namespace corvantel::ini {
class RecentProjects;
}

namespace corvantel::gui {

class MenuTreeModel;
class MainMenuBar;
class MenuTreeView;
class ColorButton;
class ProjectSettingsDialog;
class LanguageDialog;
class FolderBrowseDialog;
class HelpHook;

// How the program was started: its folder (with a trailing separator) and the command-line arguments
// after the program name.
struct StartOptions {
  std::string programFolder;
  QStringList arguments;
};

// The main window: menu bar and tool bar on top, the item tree on the left, the editing panel on the
// right. Its handlers are the commands of the program. The document lives in m_document; the tree view
// shows it through MenuTreeModel.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(StartOptions options, QWidget* parent = nullptr);
  ~MainWindow() override;

  // --- the document and program-wide state ---
  document::Document& document() { return m_document; }
  MenuTreeModel* treeModel() const { return m_model; }
  document::MenuItem* CurrentItem = nullptr;
  std::string ProgramFolder;
  int ButtonHalfSize = 0;  // set to 4 by startUp
  const i18n::Translator& translator() const { return m_translator; }
  i18n::Translator& translator() { return m_translator; }
  // The current language's text for `english`, as a QString.
  QString translate(const char* english) const;
  const StartOptions& startOptions() const { return m_options; }

  // --- controls (names as in the window layout) ---
  QWidget* CoolBar1 = nullptr;
  MainMenuBar* MenuBar = nullptr;
  QToolBar* ToolBar1 = nullptr;
  MenuTreeView* TreeView1 = nullptr;
  QWidget* Panel1 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* DatCaption = nullptr;
  QLabel* URL = nullptr;
  QLineEdit* DatURL = nullptr;
  QPushButton* SetButton = nullptr;
  QCheckBox* IsRollover = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  ColorButton* ColorButton3 = nullptr;
  ColorButton* ColorButton4 = nullptr;

  // RealMenu: the main menu, shown by MenuBar. Its actions with submenus are the top-level menus.
  QMenu* RealMenu = nullptr;
  QMenu* File1 = nullptr;
  QAction* Newproject1 = nullptr;
  QAction* Openproject1 = nullptr;
  QAction* Saveproject1 = nullptr;
  QAction* Saveprojectas1 = nullptr;
  QAction* Projectsettings1 = nullptr;
  QAction* Generatefilefromproject1 = nullptr;
  QAction* Previewinbrowser1 = nullptr;
  QAction* Language1 = nullptr;
  QAction* Exit1 = nullptr;
  QMenu* Menuitems1 = nullptr;
  QAction* Addmenu1 = nullptr;
  QAction* Addsubmenu1 = nullptr;
  QAction* Removemenu1 = nullptr;
  QMenu* Help1 = nullptr;
  QAction* Contents1 = nullptr;
  QAction* Ombrelwebpage1 = nullptr;
  QAction* About1 = nullptr;

  // Tool bar buttons.
  QAction* NewProject = nullptr;
  QAction* ToolButton1 = nullptr;
  QAction* ToolButton2 = nullptr;
  QAction* ToolButton4 = nullptr;
  QAction* AddM = nullptr;
  QAction* AddSM = nullptr;
  QAction* RemoveM = nullptr;
  QAction* ProjectSett = nullptr;

  // Dialogs made once for the whole run (created by their features; null until then).
  ProjectSettingsDialog* ProjectSettings = nullptr;
  LanguageDialog* LangDial = nullptr;
  FolderBrowseDialog* FolderBrowseDialog1 = nullptr;
  FolderBrowseDialog* FolderBrowseDialog2 = nullptr;
  HelpHook* HelpSystem = nullptr;

  // --- menu tree editing ---
  void addMenu();
  void addSubmenu();
  void removeSelected();
  void applyItemEdits();
  void takeCurrentItem(document::MenuItem* item);
  void showClickedItem();
  void repaintTree();
  void dropDraggedItem(const QPoint& point);

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
  // Preview in browser: generates into a fresh temporary folder (removed at exit) and opens its menu.html.
  void previewInBrowser();
  // The folder the last preview was generated into; empty before the first.
  QString lastPreviewFolder() const;
  void chooseLanguage();
  void showHelpContents();
  void openMakerWebPage();
  void showAbout();
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
  void buildMenu();
  void buildToolBar();
  void buildPanel();
  void setUpStatusBar();
  void setUpRecentProjects();
  void rebuildRecentMenu();
  // Loads the recent list, applies `change`, writes it back (a failed write is ignored) and rebuilds the menu.
  void changeRecentProjects(const std::function<void(ini::RecentProjects&)>& change);
  std::string programSettingsPath() const;
  void updateStatusBar();
  void fillEditFields(const document::MenuItem* item);
  // Hooks of the features, each in its own source file.
  void setUpProjectFiles();
  void setUpGenerator();
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
  // readProjectFiles with the modified flag cleared, whatever part of the project could be read.
  void openProjectNow(const std::string& path);

  StartOptions m_options;
  document::Document m_document;
  MenuTreeModel* m_model = nullptr;
  i18n::Translator m_translator;
  bool m_shown = false;
  bool m_closing = false;
  QLabel* m_statusProject = nullptr;
  QLabel* m_statusOutput = nullptr;
  QAction* m_recentAnchor = nullptr;
  QAction* m_recentSeparator = nullptr;
  QList<QAction*> m_recentActions;
};

}  // namespace corvantel::gui
