#include "gui/app/main_window.h"
#include "gui/app/startup.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>

#include "core/error.h"
#include "core/generator/menu_page_writer.h"
#include "core/ini/program_settings.h"
#include "gui/app/command.h"
#include "gui/app/menu_tree_view.h"
#include "gui/app/toolbar_icons.h"
#include "gui/app/user_prompts.h"
#include "gui/document/menu_tree_model.h"

namespace corvantel::gui {

MainWindow::MainWindow(StartOptions options, QWidget* parent) : QMainWindow(parent), m_options(std::move(options)) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(QStringLiteral("Corvantel 2"));
  setGeometry(192, 107, 689, 480);
  m_programFolder = m_options.programFolder;

  m_model = new MenuTreeModel(m_document.tree(), this);

  // The menu bar and, below it, the tool bar. Alt alone puts the keyboard into the menu bar (the bar does that
  // itself); F10 opens its first menu, from where Left and Right go through the others.
  buildMainMenu();
  auto* menuKey = new QAction(this);
  menuKey->setObjectName(QStringLiteral("menuBarKeyAction"));
  menuKey->setShortcut(QKeySequence(Qt::Key_F10));
  menuKey->setShortcutContext(Qt::WindowShortcut);
  connect(menuKey, &QAction::triggered, this, [this] { menuBar()->setActiveAction(m_fileMenu->menuAction()); });
  addAction(menuKey);
  m_toolBar = buildToolBar();
  m_toolBar->setMinimumHeight(24);
  addToolBar(Qt::TopToolBarArea, m_toolBar);

  // The item tree and the editing panel beside it; the panel takes what the window grows by, the
  // handle between them moves the border.
  m_splitter = new QSplitter(Qt::Horizontal, this);
  m_splitter->setObjectName(QStringLiteral("treeSplitter"));
  m_splitter->setChildrenCollapsible(false);
  m_treeView = new MenuTreeView(m_splitter);
  m_treeView->setMenuModel(m_model);
  m_splitter->addWidget(m_treeView);
  m_editingPanel = buildEditingPanel();
  m_splitter->addWidget(m_editingPanel);
  m_splitter->setStretchFactor(0, 0);
  m_splitter->setStretchFactor(1, 1);
  setCentralWidget(m_splitter);
  connect(m_splitter, &QSplitter::splitterMoved, this, [this] { m_splitterMoved = true; });
  connectTreeView();
  setUpEditing();

  setUpProjectFiles();
  setUpGenerator();
  setUpLinkCheck();
  setUpLocalization();
  setUpHelp();
  setUpStatusBar();
  setUpRecentProjects();

  applyEnglish(captionTable());
}

void MainWindow::connectTreeView() {
  connect(m_treeView, &MenuTreeView::selectionChanging, this, &MainWindow::takeCurrentItem);
  connect(m_treeView, &MenuTreeView::treeClicked, this, &MainWindow::showClickedItem);
  connect(m_treeView, &MenuTreeView::expandedOrCollapsed, this, &MainWindow::repaintTree);
  connect(m_treeView, &MenuTreeView::dragEnded, this,
          [this](const QPoint& point) { runCommand([this, point] { dropDraggedItem(point); }); });

  // m_currentItem never refers to a deleted item: it takes the item the tree selects afterwards.
  connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
          [this](const QModelIndex& parent, int first, int last) {
            for (int r = first; r <= last && m_currentItem; ++r) {
              document::MenuItem* gone = m_model->itemFromIndex(m_model->index(r, 0, parent));
              if (document::MenuTree::isInSubtree(m_currentItem, gone)) m_currentItem = nullptr;
            }
          });
  connect(m_model, &QAbstractItemModel::rowsRemoved, this, [this] {
    if (!m_currentItem) takeCurrentItem(m_treeView->selectedItem());
  });
  connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { takeCurrentItem(nullptr); });
  // A replaced tree (New, Open, an import and its undo) shows its first level of menus.
  connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
    if (document::MenuItem* root = m_document.tree().root()) m_treeView->expand(m_model->indexFromItem(root));
  });
}

void MainWindow::setUpStatusBar() {
  m_statusProject = new QLabel(this);
  m_statusProject->setObjectName(QStringLiteral("StatusProject"));
  m_statusOutput = new QLabel(this);
  m_statusOutput->setObjectName(QStringLiteral("StatusOutput"));
  statusBar()->addWidget(m_statusProject, 1);
  statusBar()->addPermanentWidget(m_statusOutput);
  // The title and the status line say which project is open and whether it has unsaved changes.
  m_document.setStateListener([this] {
    updateWindowTitle();
    updateStatusBar();
  });
  updateWindowTitle();
  updateStatusBar();
}

// "club.cvp[*] — Corvantel 2": Qt shows the mark in place of "[*]" while the window is modified.
void MainWindow::updateWindowTitle() {
  const std::string& name = m_document.projectFileName();
  const bool unnamed = name.empty() || m_document.isUnnamed();
  QString shown = unnamed ? translate("New project") : QFileInfo(QString::fromStdString(name)).fileName();
  shown.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));  // a "[*]" of the name is no mark
  setWindowFilePath(unnamed ? QString() : QString::fromStdString(name));
  setWindowTitle(shown + QStringLiteral("[*] \u2014 Corvantel 2"));
  setWindowModified(m_document.isModified());
}

void MainWindow::updateStatusBar() {
  const std::string& name = m_document.projectFileName();
  QString project;
  if (name.empty() || m_document.isUnnamed()) {
    project = translate("New project (not saved yet)");
  } else {
    project = QFileInfo(QString::fromStdString(name)).fileName();
  }
  if (m_document.isModified()) project += QStringLiteral("  \u2022 ") + translate("unsaved changes");
  m_statusProject->setText(project);
  m_statusProject->setToolTip(QString::fromStdString(name));
  // The last generation's folder, in the current language's words.
  const QString folder = m_statusOutput->property("folder").toString();
  m_statusOutput->setText(folder.isEmpty() ? QString() : translate("Generated into %1").arg(folder));
}

void MainWindow::showGeneratedFolder(const QString& folder) {
  m_statusOutput->setProperty("folder", folder);
  updateStatusBar();
}

QString MainWindow::statusText() const {
  QString text = m_statusProject->text();
  if (!m_statusOutput->text().isEmpty()) text += QStringLiteral(" | ") + m_statusOutput->text();
  return text;
}

MainWindow::~MainWindow() {
  // The history goes first, while the tree its steps point at is still whole; it tells nobody.
  m_undoStack->disconnect();
  delete m_undoStack;
}

QString MainWindow::translate(const char* english) const {
  return QString::fromStdString(m_translator.Translate(english));
}

QAction* MainWindow::addCommand(QMenu* menu, const char* name, const QKeySequence& shortcut,
                                void (MainWindow::*command)()) {
  QAction* a = menu->addAction(QString());
  a->setObjectName(QString::fromLatin1(name));
  if (!shortcut.isEmpty()) {
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WindowShortcut);
  }
  connect(a, &QAction::triggered, this, commandSlot(this, command));
  addAction(a);  // the shortcut works anywhere in the main window
  return a;
}

QMenuBar* MainWindow::buildMainMenu() {
  QMenuBar* main = menuBar();
  main->setObjectName(QStringLiteral("mainMenuBar"));
  m_fileMenu = main->addMenu(QString());
  m_fileMenu->setObjectName(QStringLiteral("fileMenu"));
  m_newProjectAction =
      addCommand(m_fileMenu, "newProjectAction", QKeySequence(Qt::CTRL | Qt::Key_N), &MainWindow::newProject);
  m_openProjectAction =
      addCommand(m_fileMenu, "openProjectAction", QKeySequence(Qt::CTRL | Qt::Key_O), &MainWindow::openProject);
  m_saveProjectAction =
      addCommand(m_fileMenu, "saveProjectAction", QKeySequence(Qt::CTRL | Qt::Key_S), &MainWindow::saveProject);
  m_saveProjectAsAction = addCommand(m_fileMenu, "saveProjectAsAction", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                                     &MainWindow::saveProjectAs);
  m_fileMenu->addSeparator();
  m_projectSettingsAction = addCommand(m_fileMenu, "projectSettingsAction", {}, &MainWindow::editProjectSettings);
  m_generateAction =
      addCommand(m_fileMenu, "generateAction", QKeySequence(Qt::CTRL | Qt::Key_G), &MainWindow::generateFiles);
  m_previewAction = addCommand(m_fileMenu, "previewAction", QKeySequence(Qt::Key_F9), &MainWindow::previewInBrowser);
  m_importMenuAction = addCommand(m_fileMenu, "importMenuAction", {}, &MainWindow::importMenuFromPage);
  m_insertMenuAction = addCommand(m_fileMenu, "insertMenuAction", {}, &MainWindow::insertMenuIntoPages);
  m_fileMenu->addSeparator();
  m_languageAction = addCommand(m_fileMenu, "languageAction", {}, &MainWindow::chooseLanguage);
  m_fileMenu->addSeparator();
  m_exitAction = addCommand(m_fileMenu, "exitAction", QKeySequence(Qt::ALT | Qt::Key_F4), &MainWindow::exitProgram);
  m_exitAction->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_Q)});

  m_itemsMenu = main->addMenu(QString());
  m_itemsMenu->setObjectName(QStringLiteral("itemsMenu"));
  m_addMenuAction = addCommand(m_itemsMenu, "addMenuAction", {}, &MainWindow::addMenu);
  m_addSubmenuAction = addCommand(m_itemsMenu, "addSubmenuAction", {}, &MainWindow::addSubmenu);
  m_removeMenuAction = addCommand(m_itemsMenu, "removeMenuAction", {}, &MainWindow::removeSelected);
  m_itemsMenu->addSeparator();
  m_moveUpAction = addCommand(m_itemsMenu, "moveUpAction", QKeySequence(Qt::ALT | Qt::Key_Up), &MainWindow::moveItemUp);
  m_moveDownAction =
      addCommand(m_itemsMenu, "moveDownAction", QKeySequence(Qt::ALT | Qt::Key_Down), &MainWindow::moveItemDown);
  m_indentAction = addCommand(m_itemsMenu, "indentAction", QKeySequence(Qt::ALT | Qt::Key_Right), &MainWindow::indentItem);
  m_outdentAction =
      addCommand(m_itemsMenu, "outdentAction", QKeySequence(Qt::ALT | Qt::Key_Left), &MainWindow::outdentItem);
  m_itemsMenu->addSeparator();
  m_undoAction = addCommand(m_itemsMenu, "undoAction", QKeySequence(Qt::CTRL | Qt::Key_Z), &MainWindow::undo);
  m_redoAction = addCommand(m_itemsMenu, "redoAction", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &MainWindow::redo);
  m_itemsMenu->addSeparator();
  m_checkLinksAction = addCommand(m_itemsMenu, "checkLinksAction", {}, &MainWindow::checkLinks);

  m_helpMenu = main->addMenu(QString());
  m_helpMenu->setObjectName(QStringLiteral("helpMenu"));
  m_contentsAction = addCommand(m_helpMenu, "contentsAction", {}, &MainWindow::showHelpContents);
  m_makerWebPageAction = addCommand(m_helpMenu, "makerWebPageAction", {}, &MainWindow::openMakerWebPage);
  m_aboutAction = addCommand(m_helpMenu, "aboutAction", {}, &MainWindow::showAbout);
  return main;
}

QAction* MainWindow::addToolButton(const char* name, const char* hint, int icon, void (MainWindow::*command)()) {
  QAction* a = m_toolBar->addAction(toolbarIcon(icon), QString::fromLatin1(hint));
  a->setObjectName(QString::fromLatin1(name));
  a->setToolTip(QString::fromLatin1(hint));
  m_toolButtonHints.emplace_back(a, hint);
  connect(a, &QAction::triggered, this, commandSlot(this, command));
  return a;
}

QToolBar* MainWindow::buildToolBar() {
  m_toolBar = new QToolBar(this);
  m_toolBar->setObjectName(QStringLiteral("toolBar"));
  m_toolBar->setIconSize(QSize(16, 16));
  m_toolBar->setMovable(false);
  m_toolBar->setFloatable(false);
  m_toolBar->setProperty("helpContext", 1000);
  addToolButton("newProjectButton", "New project", 8, &MainWindow::newProject);
  addToolButton("openProjectButton", "Open project", 0, &MainWindow::openProject);
  addToolButton("saveProjectButton", "Save project", 1, &MainWindow::saveProject);
  m_toolBar->addSeparator();
  addToolButton("generateButton", "Generate files from project", 2, &MainWindow::generateFiles);
  m_toolBar->addSeparator();
  addToolButton("addMenuButton", "Add menu", 3, &MainWindow::addMenu);
  addToolButton("addSubmenuButton", "Add submenu to selected menu", 4, &MainWindow::addSubmenu);
  m_removeMenuButton = addToolButton("removeMenuButton", "Remove menu", 5, &MainWindow::removeSelected);
  m_toolBar->addSeparator();
  // Undo and Redo are the menu's own commands, so their text names the step in both places.
  m_undoAction->setIcon(toolbarIcon(9));
  m_redoAction->setIcon(toolbarIcon(10));
  m_toolBar->addAction(m_undoAction);
  m_toolBar->addAction(m_redoAction);
  m_toolBar->addSeparator();
  addToolButton("projectSettingsButton", "Project settings", 6, &MainWindow::editProjectSettings);
  m_toolBar->addSeparator();
  return m_toolBar;
}

QWidget* MainWindow::buildEditingPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("editingPanel"));
  // 313 pixels wide at first; the fields follow the panel's width.
  panel->setMinimumWidth(200);
  m_captionLabel = new QLabel(panel);
  m_captionLabel->setObjectName(QStringLiteral("captionLabel"));
  m_captionEdit = new QLineEdit(panel);
  m_captionEdit->setObjectName(QStringLiteral("captionEdit"));
  m_urlLabel = new QLabel(panel);
  m_urlLabel->setObjectName(QStringLiteral("urlLabel"));
  m_urlEdit = new QLineEdit(panel);
  m_urlEdit->setObjectName(QStringLiteral("urlEdit"));
  m_captionLabel->setBuddy(m_captionEdit);
  m_urlLabel->setBuddy(m_urlEdit);
  m_setButton = new QPushButton(panel);
  m_setButton->setObjectName(QStringLiteral("setButton"));
  m_setButton->setMinimumWidth(75);
  m_setButton->setDefault(true);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(8, 6, 8, 8);
  column->setSpacing(1);
  column->addWidget(m_captionLabel);
  column->addWidget(m_captionEdit);
  column->addSpacing(2);
  column->addWidget(m_urlLabel);
  column->addWidget(m_urlEdit);
  column->addSpacing(6);
  column->addWidget(m_setButton, 0, Qt::AlignLeft);
  column->addStretch(1);
  connect(m_setButton, &QPushButton::clicked, this, commandSlot(this, &MainWindow::applyItemEdits));
  // The Set button is the window's default button: Enter in either field presses it.
  connect(m_captionEdit, &QLineEdit::returnPressed, m_setButton, &QPushButton::click);
  connect(m_urlEdit, &QLineEdit::returnPressed, m_setButton, &QPushButton::click);
  return panel;
}

// ---------------------------------------------------------------------------------------------------------
// Start-up and shut-down

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!m_shown) {
    m_shown = true;
    startUp();
  }
}

void MainWindow::startUp() {
  m_shown = true;
  m_programFolder = m_options.programFolder;
  ini::ProgramSettings settings(m_programFolder);
  m_translator.setLanguageFile(settings.languageFile());
  fillLanguageList();
  translateWindows();
  m_document.setModified(false);
  createHelpSystem();
  runCommand([this] {
    const QString path = projectArgument(m_options.arguments);  // "-debug" is no project
    if (path.isEmpty()) {
      newProject();
    } else {
      readProjectFiles(QFileInfo(path).absoluteFilePath().toStdString());
    }
  });
  m_treeView->setButtonHalfSize(MenuTreeView::kDefaultButtonHalfSize);
  restoreSplitter();
  m_document.setModified(false);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!mayClose()) {
    event->ignore();
    return;
  }
  shutDown();
  event->accept();
}

void MainWindow::shutDown() {
  if (m_closing) return;
  m_closing = true;
  tearDownHelp();
  ini::ProgramSettings settings(m_programFolder);
  try {
    settings.setLanguageFile(m_translator.languageFile());
  } catch (const std::exception& e) {
    prompts().error(this, QString::fromStdString(errorBoxText(e.what())));
  }
  saveSplitter();
}

// ---------------------------------------------------------------------------------------------------------
// Help menu and web pages

// The same two addresses as the generated page's credit line.
QString MainWindow::makerHomePage() { return QString::fromLatin1(generator::kMakerHomePage); }
QString MainWindow::publisherSite() { return QString::fromLatin1(generator::kMenuScriptPublisherSite); }

void MainWindow::openWebAddress(const QString& address) { QDesktopServices::openUrl(QUrl(address)); }

void MainWindow::openMakerWebPage() { openWebAddress(makerHomePage()); }

}  // namespace corvantel::gui
