#include "gui/app/main_form.h"
#include "gui/app/startup.h"

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
#include "gui/app/menu_bar.h"
#include "gui/app/menu_tree_view.h"
#include "gui/app/toolbar_icons.h"
#include "gui/app/user_prompts.h"
#include "gui/document/menu_tree_model.h"
#include "gui/widgets/color_button.h"

namespace corvantel::gui {

TCorvantelMainForm::TCorvantelMainForm(StartOptions options, QWidget* parent)
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
  MenuBar = new TMenuBar(CoolBar1);
  MenuBar->setMenu(RealMenu);
  bands->addWidget(MenuBar);
  bands->addWidget(ToolBar1);
  ToolBar1->setMinimumHeight(24);
  setMenuWidget(CoolBar1);

  auto* central = new QWidget(this);
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  TreeView1 = new TMenuTreeView(central);
  TreeView1->setMenuModel(m_model);
  row->addWidget(TreeView1, 1);
  buildPanel();
  Panel1->setParent(central);
  row->addWidget(Panel1, 0);
  setCentralWidget(central);

  connect(TreeView1, &TMenuTreeView::selectionChanging, this, &TCorvantelMainForm::TreeView1Changing);
  connect(TreeView1, &TMenuTreeView::treeClicked, this, &TCorvantelMainForm::TreeView1Click);
  connect(TreeView1, &TMenuTreeView::expandedOrCollapsed, this, &TCorvantelMainForm::TreeView1Expanded);
  connect(TreeView1, &TMenuTreeView::dragEnded, this, &TCorvantelMainForm::TreeView1EndDrag);

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

void TCorvantelMainForm::setUpStatusBar() {
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

void TCorvantelMainForm::updateStatusBar() {
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

void TCorvantelMainForm::showGeneratedFolder(const QString& folder) {
  m_statusOutput->setText(QStringLiteral("Generated into %1").arg(folder));
}

QString TCorvantelMainForm::statusText() const {
  QString text = m_statusProject->text();
  if (!m_statusOutput->text().isEmpty()) text += QStringLiteral(" | ") + m_statusOutput->text();
  return text;
}

TCorvantelMainForm::~TCorvantelMainForm() = default;

QString TCorvantelMainForm::Translate(const char* english) const {
  return QString::fromStdString(m_translator.Translate(english));
}

void TCorvantelMainForm::buildMenu() {
  RealMenu = new QMenu(this);
  RealMenu->setObjectName(QStringLiteral("RealMenu"));
  auto item = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
                     void (TCorvantelMainForm::*handler)()) {
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
                     &TCorvantelMainForm::NewProjectClick);
  Openproject1 = item(File1, "Openproject1", QStringLiteral("&Open project"), QKeySequence(Qt::CTRL | Qt::Key_O),
                      &TCorvantelMainForm::Openproject1Click);
  Saveproject1 = item(File1, "Saveproject1", QStringLiteral("&Save project"), QKeySequence(Qt::CTRL | Qt::Key_S),
                      &TCorvantelMainForm::Saveproject1Click);
  Saveprojectas1 = item(File1, "Saveprojectas1", QStringLiteral("Save project &as"), {},
                        &TCorvantelMainForm::Saveprojectas1Click);
  File1->addSeparator();
  Projectsettings1 = item(File1, "Projectsettings1", QStringLiteral("&Project settings"), {},
                          &TCorvantelMainForm::ProjectSettClick);
  Generatefilefromproject1 =
      item(File1, "Generatefilefromproject1", QStringLiteral("&Generate files from project"),
           QKeySequence(Qt::CTRL | Qt::Key_G), &TCorvantelMainForm::Button1Click);
  Previewinbrowser1 = item(File1, "Previewinbrowser1", QStringLiteral("Pre&view in browser"), QKeySequence(Qt::Key_F9),
                           &TCorvantelMainForm::Previewinbrowser1Click);
  File1->addSeparator();
  Language1 = item(File1, "Language1", QStringLiteral("&Language"), {}, &TCorvantelMainForm::Language1Click);
  File1->addSeparator();
  Exit1 = item(File1, "Exit1", QStringLiteral("&Exit"), QKeySequence(Qt::ALT | Qt::Key_F4),
               &TCorvantelMainForm::Exit1Click);

  Menuitems1 = RealMenu->addMenu(QStringLiteral("&Menu items"));
  Menuitems1->setObjectName(QStringLiteral("Menuitems1"));
  Addmenu1 = item(Menuitems1, "Addmenu1", QStringLiteral("Add &menu"), {}, &TCorvantelMainForm::AddMenuClick);
  Addsubmenu1 = item(Menuitems1, "Addsubmenu1", QStringLiteral("Add &submenu"), {},
                     &TCorvantelMainForm::AddSubmenuClick);
  Removemenu1 = item(Menuitems1, "Removemenu1", QStringLiteral("&Remove menu"), {},
                     &TCorvantelMainForm::RemoveSelectedClick);

  Help1 = RealMenu->addMenu(QStringLiteral("&Help"));
  Help1->setObjectName(QStringLiteral("Help1"));
  Contents1 = item(Help1, "Contents1", QStringLiteral("&Contents"), {}, &TCorvantelMainForm::Contents1Click);
  Ombrelwebpage1 = item(Help1, "Ombrelwebpage1", QStringLiteral("Ombrel &web page"), {},
                        &TCorvantelMainForm::Ombrelwebpage1Click);
  About1 = item(Help1, "About1", QStringLiteral("&About"), {}, &TCorvantelMainForm::About1Click);
}

void TCorvantelMainForm::buildToolBar() {
  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setIconSize(QSize(16, 16));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setProperty("helpContext", 1000);
  auto button = [this](const char* name, const char* hint, int icon, void (TCorvantelMainForm::*handler)()) {
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
  NewProject = button("NewProject", "New project", 8, &TCorvantelMainForm::NewProjectClick);
  ToolButton1 = button("ToolButton1", "Open project", 0, &TCorvantelMainForm::Openproject1Click);
  ToolButton2 = button("ToolButton2", "Save project", 1, &TCorvantelMainForm::Saveproject1Click);
  separator("ToolButton3");
  ToolButton4 = button("ToolButton4", "Generate files from project", 2, &TCorvantelMainForm::Button1Click);
  separator("ToolButton5");
  AddM = button("AddM", "Add menu", 3, &TCorvantelMainForm::AddMenuClick);
  AddSM = button("AddSM", "Add submenu to selected menu", 4, &TCorvantelMainForm::AddSubmenuClick);
  RemoveM = button("RemoveM", "Remove menu", 5, &TCorvantelMainForm::RemoveSelectedClick);
  separator("ToolButton9");
  ProjectSett = button("ProjectSett", "Project settings", 6, &TCorvantelMainForm::ProjectSettClick);
  separator("ToolButton10");
}

void TCorvantelMainForm::buildPanel() {
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
  connect(SetButton, &QPushButton::clicked, this, &TCorvantelMainForm::SetButtonClick);
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
  for (TColorButton** b : {&ColorButton3, &ColorButton4}) {
    *b = new TColorButton(Panel1);
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

void TCorvantelMainForm::AddMenuClick() {
  document::MenuTree& tree = m_document.tree();
  tree.append(tree.root(), "\t", -1);  // an empty tree gets the item at the top level
  m_document.setModified(true);
}

void TCorvantelMainForm::AddSubmenuClick() {
  document::MenuItem* selected = TreeView1->selectedItem();
  m_document.tree().append(selected, "\t", -1);
  if (selected) TreeView1->expand(m_model->indexFromItem(selected));
  m_document.setModified(true);
}

void TCorvantelMainForm::RemoveSelectedClick() {
  document::MenuTree& tree = m_document.tree();
  if (tree.empty()) throw Error("Invalid index");
  document::MenuItem* selected = TreeView1->selectedItem();
  if (selected && selected == tree.root()) {
    prompts().warning(this, Translate("This item cannot be removed - it is not a part of menu"));
    return;
  }
  if (!selected) return;
  if (!prompts().confirmOkCancel(this, Translate("Do you want delete this item ?"), 1004)) return;
  tree.remove(selected);
  m_document.setModified(true);
}

void TCorvantelMainForm::SetButtonClick() {
  if (!CurrentItem) return;
  std::string text = DatCaption->text().toStdString() + "\t" + DatURL->text().toStdString();
  if (m_document.tree().setText(CurrentItem, std::move(text))) m_document.setModified(true);
}

void TCorvantelMainForm::TreeView1Changing(document::MenuItem* item) { CurrentItem = item; }

void TCorvantelMainForm::TreeView1Click() {
  document::MenuItem* selected = TreeView1->selectedItem();
  if (!selected) return;
  fillEditFields(selected);
  CurrentItem = selected;
}

void TCorvantelMainForm::fillEditFields(const document::MenuItem* item) {
  DatCaption->setText(QString::fromStdString(document::extractTitle(item->text())));
  DatURL->setText(QString::fromStdString(document::extractUrl(item->text())));
}

void TCorvantelMainForm::TreeView1Expanded() { TreeView1->viewport()->update(); }

void TCorvantelMainForm::TreeView1EndDrag(const QPoint& point) {
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

void TCorvantelMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!m_shown) {
    m_shown = true;
    FormShow();
  }
}

void TCorvantelMainForm::FormShow() {
  m_shown = true;
  ProgramFolder = m_options.programFolder;
  ini::ProgramSettings settings(ProgramFolder);
  m_translator.setLanguageFile(settings.languageFile());
  FillLanguageList();
  TranslateWindows();
  m_document.setModified(false);
  createHelpSystem();
  try {
    const QString path = projectArgument(m_options.arguments);  // "-debug" is no project
    if (path.isEmpty()) {
      NewProjectClick();
    } else {
      Opener(QFileInfo(path).absoluteFilePath().toStdString());
    }
  } catch (const std::exception& e) {
    CorvantelApplication::showException(e);
  }
  ButtonHalfSize = 4;
  TreeView1->setButtonHalfSize(ButtonHalfSize);
  m_document.setModified(false);
}

void TCorvantelMainForm::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

void TCorvantelMainForm::FormClose() {
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
QString TCorvantelMainForm::makerHomePage() { return QString::fromLatin1(generator::kMakerHomePage); }
QString TCorvantelMainForm::publisherSite() { return QString::fromLatin1(generator::kMenuScriptPublisherSite); }

void TCorvantelMainForm::openWebAddress(const QString& address) { QDesktopServices::openUrl(QUrl(address)); }

void TCorvantelMainForm::Ombrelwebpage1Click() { openWebAddress(makerHomePage()); }

}  // namespace corvantel::gui
