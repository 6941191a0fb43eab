#include "gui/app/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "core/error.h"
#include "core/generator/menu_page_writer.h"
#include "core/ini/program_settings.h"
#include "gui/app/corvantel_application.h"
#include "gui/app/main_menu_bar.h"
#include "gui/app/menu_tree_view.h"
#include "gui/app/toolbar_icons.h"
#include "gui/app/user_prompts.h"
#include "gui/document/menu_tree_model.h"
#include "gui/widgets/color_button.h"

namespace corvantel::gui {

MainWindow::MainWindow(StartOptions options, QWidget* parent)
    : QMainWindow(parent), m_options(std::move(options)) {
  setObjectName(QStringLiteral("CorvantelMainForm"));
  setWindowTitle(QStringLiteral("Corvantel 2"));
  setGeometry(192, 107, 689, 480);
  ProgramFolder = m_options.programFolder;

  m_model = new MenuTreeModel(m_document.tree(), this);

  buildMenu();
  buildToolBar();

  CoolBar1 = new QWidget(this);
  CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
  auto* bands = new QVBoxLayout(CoolBar1);
  bands->setContentsMargins(0, 0, 0, 0);
  bands->setSpacing(0);
  MenuBar = new MainMenuBar(CoolBar1);
  MenuBar->setMenu(RealMenu);
  bands->addWidget(MenuBar);
  bands->addWidget(ToolBar1);
  ToolBar1->setMinimumHeight(24);
  setMenuWidget(CoolBar1);

  auto* central = new QWidget(this);
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  TreeView1 = new MenuTreeView(central);
  TreeView1->setMenuModel(m_model);
  row->addWidget(TreeView1, 1);
  buildPanel();
  Panel1->setParent(central);
  row->addWidget(Panel1, 0);
  setCentralWidget(central);

  connect(TreeView1, &MenuTreeView::selectionChanging, this, &MainWindow::takeCurrentItem);
  connect(TreeView1, &MenuTreeView::treeClicked, this, &MainWindow::showClickedItem);
  connect(TreeView1, &MenuTreeView::expandedOrCollapsed, this, &MainWindow::repaintTree);
  connect(TreeView1, &MenuTreeView::dragEnded, this, &MainWindow::dropDraggedItem);

  // CurrentItem never refers to a deleted item: it takes the item the tree selects afterwards.
  connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
          [this](const QModelIndex& parent, int first, int last) {
            for (int r = first; r <= last && CurrentItem; ++r) {
              document::MenuItem* gone = m_model->itemFromIndex(m_model->index(r, 0, parent));
              if (document::MenuTree::isInSubtree(CurrentItem, gone)) CurrentItem = nullptr;
            }
          });
  connect(m_model, &QAbstractItemModel::rowsRemoved, this, [this] {
    if (!CurrentItem) CurrentItem = TreeView1->selectedItem();
  });
  connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { CurrentItem = nullptr; });

  setUpProjectFiles();
  setUpGenerator();
  setUpLocalization();
  setUpHelp();
  setUpStatusBar();
  setUpRecentProjects();
}

void MainWindow::setUpStatusBar() {
  m_statusProject = new QLabel(this);
  m_statusProject->setObjectName(QStringLiteral("StatusProject"));
  m_statusOutput = new QLabel(this);
  m_statusOutput->setObjectName(QStringLiteral("StatusOutput"));
  statusBar()->addWidget(m_statusProject, 1);
  statusBar()->addPermanentWidget(m_statusOutput);
  // The window title stays "Corvantel 2"; the status line says which project is open and whether it has
  // unsaved changes.
  m_document.setStateListener([this] { updateStatusBar(); });
  updateStatusBar();
}

void MainWindow::updateStatusBar() {
  const std::string& name = m_document.projectFileName();
  QString project;
  if (name.empty() || m_document.isUnnamed()) {
    project = QStringLiteral("New project (not saved yet)");
  } else {
    project = QFileInfo(QString::fromStdString(name)).fileName();
  }
  if (m_document.isModified()) project += QStringLiteral("  \u2022 unsaved changes");
  m_statusProject->setText(project);
  m_statusProject->setToolTip(QString::fromStdString(name));
}

void MainWindow::showGeneratedFolder(const QString& folder) {
  m_statusOutput->setText(QStringLiteral("Generated into %1").arg(folder));
}

QString MainWindow::statusText() const {
  QString text = m_statusProject->text();
  if (!m_statusOutput->text().isEmpty()) text += QStringLiteral(" | ") + m_statusOutput->text();
  return text;
}

MainWindow::~MainWindow() = default;

QString MainWindow::translate(const char* english) const {
  return QString::fromStdString(m_translator.Translate(english));
}

void MainWindow::buildMenu() {
  RealMenu = new QMenu(this);
  RealMenu->setObjectName(QStringLiteral("RealMenu"));
  auto item = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
                     void (MainWindow::*handler)()) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
      a->setShortcut(shortcut);
      a->setShortcutContext(Qt::WindowShortcut);
    }
    connect(a, &QAction::triggered, this, handler);
    addAction(a);  // the shortcut works anywhere in the main window
    return a;
  };
  File1 = RealMenu->addMenu(QStringLiteral("&File"));
  File1->setObjectName(QStringLiteral("File1"));
  Newproject1 = item(File1, "Newproject1", QStringLiteral("&New project"), QKeySequence(Qt::CTRL | Qt::Key_N),
                     &MainWindow::newProject);
  Openproject1 = item(File1, "Openproject1", QStringLiteral("&Open project"), QKeySequence(Qt::CTRL | Qt::Key_O),
                      &MainWindow::openProject);
  Saveproject1 = item(File1, "Saveproject1", QStringLiteral("&Save project"), QKeySequence(Qt::CTRL | Qt::Key_S),
                      &MainWindow::saveProject);
  Saveprojectas1 = item(File1, "Saveprojectas1", QStringLiteral("Save project &as"), {},
                        &MainWindow::saveProjectAs);
  File1->addSeparator();
  Projectsettings1 = item(File1, "Projectsettings1", QStringLiteral("&Project settings"), {},
                          &MainWindow::editProjectSettings);
  Generatefilefromproject1 =
      item(File1, "Generatefilefromproject1", QStringLiteral("&Generate files from project"),
           QKeySequence(Qt::CTRL | Qt::Key_G), &MainWindow::generateFiles);
  Previewinbrowser1 = item(File1, "Previewinbrowser1", QStringLiteral("Pre&view in browser"), QKeySequence(Qt::Key_F9),
                           &MainWindow::previewInBrowser);
  File1->addSeparator();
  Language1 = item(File1, "Language1", QStringLiteral("&Language"), {}, &MainWindow::chooseLanguage);
  File1->addSeparator();
  Exit1 = item(File1, "Exit1", QStringLiteral("&Exit"), QKeySequence(Qt::ALT | Qt::Key_F4),
               &MainWindow::exitProgram);

  Menuitems1 = RealMenu->addMenu(QStringLiteral("&Menu items"));
  Menuitems1->setObjectName(QStringLiteral("Menuitems1"));
  Addmenu1 = item(Menuitems1, "Addmenu1", QStringLiteral("Add &menu"), {}, &MainWindow::addMenu);
  Addsubmenu1 = item(Menuitems1, "Addsubmenu1", QStringLiteral("Add &submenu"), {},
                     &MainWindow::addSubmenu);
  Removemenu1 = item(Menuitems1, "Removemenu1", QStringLiteral("&Remove menu"), {},
                     &MainWindow::removeSelected);

  Help1 = RealMenu->addMenu(QStringLiteral("&Help"));
  Help1->setObjectName(QStringLiteral("Help1"));
  Contents1 = item(Help1, "Contents1", QStringLiteral("&Contents"), {}, &MainWindow::showHelpContents);
  Ombrelwebpage1 = item(Help1, "Ombrelwebpage1", QStringLiteral("Ombrel &web page"), {},
                        &MainWindow::openMakerWebPage);
  About1 = item(Help1, "About1", QStringLiteral("&About"), {}, &MainWindow::showAbout);
}

void MainWindow::buildToolBar() {
  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setIconSize(QSize(16, 16));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setProperty("helpContext", 1000);
  auto button = [this](const char* name, const char* hint, int icon, void (MainWindow::*handler)()) {
    QAction* a = ToolBar1->addAction(toolbarIcon(icon), QString::fromLatin1(hint));
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(QString::fromLatin1(hint));
    connect(a, &QAction::triggered, this, handler);
    return a;
  };
  auto separator = [this](const char* name) {
    QAction* s = ToolBar1->addSeparator();
    s->setObjectName(QString::fromLatin1(name));
  };
  NewProject = button("NewProject", "New project", 8, &MainWindow::newProject);
  ToolButton1 = button("ToolButton1", "Open project", 0, &MainWindow::openProject);
  ToolButton2 = button("ToolButton2", "Save project", 1, &MainWindow::saveProject);
  separator("ToolButton3");
  ToolButton4 = button("ToolButton4", "Generate files from project", 2, &MainWindow::generateFiles);
  separator("ToolButton5");
  AddM = button("AddM", "Add menu", 3, &MainWindow::addMenu);
  AddSM = button("AddSM", "Add submenu to selected menu", 4, &MainWindow::addSubmenu);
  RemoveM = button("RemoveM", "Remove menu", 5, &MainWindow::removeSelected);
  separator("ToolButton9");
  ProjectSett = button("ProjectSett", "Project settings", 6, &MainWindow::editProjectSettings);
  separator("ToolButton10");
}

void MainWindow::buildPanel() {
  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedWidth(313);
  Label1 = new QLabel(QStringLiteral("Caption"), Panel1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(8, 6, 297, 17);
  DatCaption = new QLineEdit(Panel1);
  DatCaption->setObjectName(QStringLiteral("DatCaption"));
  DatCaption->setGeometry(8, 24, 297, 22);
  URL = new QLabel(QStringLiteral("URL"), Panel1);
  URL->setObjectName(QStringLiteral("URL"));
  URL->setGeometry(8, 48, 297, 17);
  DatURL = new QLineEdit(Panel1);
  DatURL->setObjectName(QStringLiteral("DatURL"));
  DatURL->setGeometry(8, 66, 297, 22);
  Label1->setBuddy(DatCaption);
  URL->setBuddy(DatURL);
  SetButton = new QPushButton(QStringLiteral("&Set"), Panel1);
  SetButton->setObjectName(QStringLiteral("SetButton"));
  SetButton->setGeometry(8, 94, 75, 25);
  SetButton->setDefault(true);
  connect(SetButton, &QPushButton::clicked, this, &MainWindow::applyItemEdits);
  // SetButton is the window's default button: Enter in either field presses it.
  connect(DatCaption, &QLineEdit::returnPressed, SetButton, &QPushButton::click);
  connect(DatURL, &QLineEdit::returnPressed, SetButton, &QPushButton::click);

  // The two fixed flags of every item row; the generator writes their values and never reads these.
  IsRollover = new QCheckBox(QStringLiteral("Item is rollover"), Panel1);
  IsRollover->setObjectName(QStringLiteral("IsRollover"));
  IsRollover->setChecked(true);
  IsRollover->setEnabled(false);
  IsRollover->hide();
  CheckBox1 = new QCheckBox(QStringLiteral("Item is permanently highlihted"), Panel1);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  CheckBox1->setEnabled(false);
  CheckBox1->hide();

  // Two colour buttons that no command reads; kept hidden, out of the author's way.
  for (ColorButton** b : {&ColorButton3, &ColorButton4}) {
    *b = new ColorButton(Panel1);
    (*b)->setCustomText(QStringLiteral("More colors"));
    (*b)->setPopupSpacing(8);
    (*b)->setShowSystemColors(false);
    (*b)->resize(57, 22);
    (*b)->hide();
  }
  ColorButton3->setObjectName(QStringLiteral("ColorButton3"));
  ColorButton4->setObjectName(QStringLiteral("ColorButton4"));
}

// ---------------------------------------------------------------------------------------------------------
// Menu tree editing

void MainWindow::addMenu() {
  document::MenuTree& tree = m_document.tree();
  tree.append(tree.root(), "\t", -1);  // an empty tree gets the item at the top level
  m_document.setModified(true);
}

void MainWindow::addSubmenu() {
  document::MenuItem* selected = TreeView1->selectedItem();
  m_document.tree().append(selected, "\t", -1);
  if (selected) TreeView1->expand(m_model->indexFromItem(selected));
  m_document.setModified(true);
}

void MainWindow::removeSelected() {
  document::MenuTree& tree = m_document.tree();
  if (tree.empty()) throw Error("Invalid index");
  document::MenuItem* selected = TreeView1->selectedItem();
  if (selected && selected == tree.root()) {
    prompts().warning(this, translate("This item cannot be removed - it is not a part of menu"));
    return;
  }
  if (!selected) return;
  if (!prompts().confirmOkCancel(this, translate("Do you want delete this item ?"), 1004)) return;
  tree.remove(selected);
  m_document.setModified(true);
}

void MainWindow::applyItemEdits() {
  if (!CurrentItem) return;
  std::string text = DatCaption->text().toStdString() + "\t" + DatURL->text().toStdString();
  if (m_document.tree().setText(CurrentItem, std::move(text))) m_document.setModified(true);
}

void MainWindow::takeCurrentItem(document::MenuItem* item) { CurrentItem = item; }

void MainWindow::showClickedItem() {
  document::MenuItem* selected = TreeView1->selectedItem();
  if (!selected) return;
  fillEditFields(selected);
  CurrentItem = selected;
}

void MainWindow::fillEditFields(const document::MenuItem* item) {
  DatCaption->setText(QString::fromStdString(document::extractTitle(item->text())));
  DatURL->setText(QString::fromStdString(document::extractUrl(item->text())));
}

void MainWindow::repaintTree() { TreeView1->viewport()->update(); }

void MainWindow::dropDraggedItem(const QPoint& point) {
  document::MenuItem* dragged = TreeView1->selectedItem();
  document::MenuItem* target = TreeView1->itemAt(point);
  if (!dragged || !target) return;
  document::MoveResult result = m_document.tree().moveBefore(dragged, target);
  if (!result.moved) return;
  if (!m_document.tree().isTop(result.newParent)) TreeView1->expand(m_model->indexFromItem(result.newParent));
  if (result.oldParentEmptied && !m_document.tree().isTop(result.oldParent)) {
    TreeView1->collapse(m_model->indexFromItem(result.oldParent));
  }
  TreeView1->selectionModel()->select(m_model->indexFromItem(dragged),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  m_document.setModified(true);
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
  ProgramFolder = m_options.programFolder;
  ini::ProgramSettings settings(ProgramFolder);
  m_translator.setLanguageFile(settings.languageFile());
  fillLanguageList();
  translateWindows();
  m_document.setModified(false);
  createHelpSystem();
  try {
    if (m_options.arguments.isEmpty()) {
      newProject();
    } else {
      QString path = m_options.arguments.constFirst();
      readProjectFiles(QFileInfo(path).absoluteFilePath().toStdString());
    }
  } catch (const std::exception& e) {
    CorvantelApplication::showException(e);
  }
  ButtonHalfSize = 4;
  TreeView1->setButtonHalfSize(ButtonHalfSize);
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
  ini::ProgramSettings settings(ProgramFolder);
  try {
    settings.setLanguageFile(m_translator.languageFile());
  } catch (const std::exception& e) {
    prompts().error(this, QString::fromStdString(errorBoxText(e.what())));
  }
}

// ---------------------------------------------------------------------------------------------------------
// Help menu and web pages

// The same two addresses as the generated page's credit line.
QString MainWindow::makerHomePage() { return QString::fromLatin1(generator::kMakerHomePage); }
QString MainWindow::publisherSite() { return QString::fromLatin1(generator::kMenuScriptPublisherSite); }

void MainWindow::openWebAddress(const QString& address) { QDesktopServices::openUrl(QUrl(address)); }

void MainWindow::openMakerWebPage() { openWebAddress(makerHomePage()); }

}  // namespace corvantel::gui
