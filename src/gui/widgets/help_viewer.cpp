#include "gui/widgets/help_viewer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <vector>

#include "gui/i18n/ui_text.h"
#include "gui/widgets/chm_file.h"
#include "gui/widgets/help_search.h"
#include "gui/widgets/help_topic_browser.h"

namespace corvantel::gui {

namespace {
constexpr int kTopicRole = Qt::UserRole + 1;

enum Tab { ContentsTab = 0, IndexTab = 1, SearchTab = 2 };

// Up and Down in a tab's text field move through its list, so the keyboard never has to leave the field.
class ListKeys : public QObject {
 public:
  ListKeys(QLineEdit* edit, QListWidget* list) : QObject(edit), m_list(list) { edit->installEventFilter(this); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down && key != Qt::Key_PageUp && key != Qt::Key_PageDown) return false;
    QKeyEvent copy(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(m_list, &copy);
    return true;
  }

 private:
  QListWidget* m_list;
};

QLabel* buddyLabel(QWidget* parent, QWidget* buddy, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setBuddy(buddy);
  return label;
}

}  // namespace

HelpViewer::HelpViewer(QWidget* parent)
    : QWidget(parent, Qt::Window), m_file(std::make_unique<ChmFile>()), m_search(std::make_unique<HelpSearch>()) {
  setObjectName(QStringLiteral("helpViewer"));
  resize(860, 580);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("helpToolBar"));
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  m_backAction = bar->addAction(QString());
  m_backAction->setObjectName(QStringLiteral("backAction"));
  m_forwardAction = bar->addAction(QString());
  m_forwardAction->setObjectName(QStringLiteral("forwardAction"));
  bar->addSeparator();
  m_homeAction = bar->addAction(QString());
  m_homeAction->setObjectName(QStringLiteral("homeAction"));
  // Alt+Left and Alt+Right, in whichever part of the window the focus is.
  m_backAction->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Left), QKeySequence(Qt::Key_Back)});
  m_forwardAction->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Right), QKeySequence(Qt::Key_Forward)});
  for (QAction* a : {m_backAction, m_forwardAction}) a->setShortcutContext(Qt::WindowShortcut);
  m_backAction->setEnabled(false);
  m_forwardAction->setEnabled(false);
  layout->addWidget(bar);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  m_tabs = new QTabWidget(splitter);
  m_tabs->setObjectName(QStringLiteral("helpTabs"));
  m_contents = new QTreeWidget(m_tabs);
  m_contents->setObjectName(QStringLiteral("contents"));
  m_contents->setHeaderHidden(true);
  m_contents->setRootIsDecorated(true);
  m_contents->setUniformRowHeights(true);
  m_tabs->addTab(m_contents, QString());
  m_tabs->addTab(buildIndexTab(), QString());
  m_tabs->addTab(buildSearchTab(), QString());
  m_topic = new HelpTopicBrowser(splitter);
  m_topic->setObjectName(QStringLiteral("topic"));
  m_topic->setHelpFile(m_file.get());
  splitter->addWidget(m_tabs);
  splitter->addWidget(m_topic);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({260, 600});
  layout->addWidget(splitter, 1);

  connect(m_backAction, &QAction::triggered, m_topic, &QTextBrowser::backward);
  connect(m_forwardAction, &QAction::triggered, m_topic, &QTextBrowser::forward);
  connect(m_topic, &QTextBrowser::backwardAvailable, m_backAction, &QAction::setEnabled);
  connect(m_topic, &QTextBrowser::forwardAvailable, m_forwardAction, &QAction::setEnabled);
  connect(m_homeAction, &QAction::triggered, this, [this] { showTopic(m_file->defaultTopic()); });
  auto openEntry = [this](QTreeWidgetItem* item) {
    QString topic = item->data(0, kTopicRole).toString();
    if (!topic.isEmpty()) showTopic(topic);
  };
  connect(m_contents, &QTreeWidget::itemClicked, this, openEntry);
  connect(m_contents, &QTreeWidget::itemActivated, this, openEntry);
  // The focus goes to the tab's field, so a tab chosen with the keyboard can be typed into at once.
  connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) {
    if (tab == IndexTab) m_indexEdit->setFocus();
    if (tab == SearchTab) m_searchEdit->setFocus();
  });
  connect(m_topic, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
    selectContentsEntry(url.path());
    QString title = m_topic->documentTitle();
    setWindowTitle(title.isEmpty() ? m_file->title() : m_file->title() + QStringLiteral(" - ") + title);
  });
  retranslate();
}

HelpViewer::~HelpViewer() = default;

QWidget* HelpViewer::buildIndexTab() {
  auto* page = new QWidget(m_tabs);
  m_indexEdit = new QLineEdit(page);
  m_indexEdit->setObjectName(QStringLiteral("indexEdit"));
  m_indexList = new QListWidget(page);
  m_indexList->setObjectName(QStringLiteral("indexList"));
  m_indexShowButton = new QPushButton(page);
  m_indexShowButton->setObjectName(QStringLiteral("indexShowButton"));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(buddyLabel(page, m_indexEdit, "indexLabel"));
  layout->addWidget(m_indexEdit);
  layout->addWidget(m_indexList, 1);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(m_indexShowButton);
  layout->addLayout(row);
  new ListKeys(m_indexEdit, m_indexList);

  connect(m_indexEdit, &QLineEdit::textEdited, this, &HelpViewer::jumpToKeyword);
  connect(m_indexEdit, &QLineEdit::returnPressed, this, [this] { openListItem(m_indexList->currentItem()); });
  connect(m_indexList, &QListWidget::itemActivated, this, &HelpViewer::openListItem);
  connect(m_indexList, &QListWidget::itemClicked, this, &HelpViewer::openListItem);
  connect(m_indexShowButton, &QPushButton::clicked, this, [this] { openListItem(m_indexList->currentItem()); });
  return page;
}

QWidget* HelpViewer::buildSearchTab() {
  auto* page = new QWidget(m_tabs);
  m_searchEdit = new QLineEdit(page);
  m_searchEdit->setObjectName(QStringLiteral("searchEdit"));
  m_searchButton = new QPushButton(page);
  m_searchButton->setObjectName(QStringLiteral("searchButton"));
  m_searchResults = new QListWidget(page);
  m_searchResults->setObjectName(QStringLiteral("searchResults"));
  m_searchShowButton = new QPushButton(page);
  m_searchShowButton->setObjectName(QStringLiteral("searchShowButton"));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(buddyLabel(page, m_searchEdit, "searchLabel"));
  auto* top = new QHBoxLayout;
  top->addWidget(m_searchEdit, 1);
  top->addWidget(m_searchButton);
  layout->addLayout(top);
  layout->addWidget(buddyLabel(page, m_searchResults, "resultsLabel"));
  layout->addWidget(m_searchResults, 1);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(m_searchShowButton);
  layout->addLayout(row);
  new ListKeys(m_searchEdit, m_searchResults);

  // Enter lists the topics; Enter again (the words unchanged) opens the one selected.
  connect(m_searchEdit, &QLineEdit::returnPressed, this, [this] {
    const bool listed = m_searchResults->property("query").toString() == m_searchEdit->text();
    if (listed && m_searchResults->currentItem()) {
      openListItem(m_searchResults->currentItem());
    } else {
      runSearch();
    }
  });
  connect(m_searchButton, &QPushButton::clicked, this, &HelpViewer::runSearch);
  connect(m_searchResults, &QListWidget::itemActivated, this, &HelpViewer::openListItem);
  connect(m_searchResults, &QListWidget::itemClicked, this, &HelpViewer::openListItem);
  connect(m_searchShowButton, &QPushButton::clicked, this,
          [this] { openListItem(m_searchResults->currentItem()); });
  return page;
}

void HelpViewer::retranslate() {
  if (m_file->title().isEmpty()) setWindowTitle(uiText("Corvantel Help"));
  m_backAction->setText(uiText("Back"));
  m_forwardAction->setText(uiText("Forward"));
  m_homeAction->setText(uiText("Start page"));
  m_tabs->setTabText(ContentsTab, uiText("&Contents"));
  m_tabs->setTabText(IndexTab, uiText("I&ndex"));
  m_tabs->setTabText(SearchTab, uiText("&Search"));
  findChild<QLabel*>(QStringLiteral("indexLabel"))->setText(uiText("Type in the &keyword to find:"));
  findChild<QLabel*>(QStringLiteral("searchLabel"))->setText(uiText("Type in the &word(s) to search for:"));
  findChild<QLabel*>(QStringLiteral("resultsLabel"))->setText(uiText("Select a &topic:"));
  m_indexShowButton->setText(uiText("&Display"));
  m_searchShowButton->setText(uiText("&Display"));
  m_searchButton->setText(uiText("&List topics"));
}

void HelpViewer::changeEvent(QEvent* event) {
  // The toolkit's translation changed with the program's language.
  if (event->type() == QEvent::LanguageChange) retranslate();
  QWidget::changeEvent(event);
}

bool HelpViewer::openFile(const QString& path) {
  auto file = std::make_unique<ChmFile>();
  if (!file->open(path)) return false;
  m_file = std::move(file);
  m_search = std::make_unique<HelpSearch>();
  m_topic->setHelpFile(m_file.get());
  m_topic->clearHistory();
  fillContents();
  fillIndex();
  m_searchResults->clear();
  m_searchResults->setProperty("query", QVariant());
  return true;
}

QString HelpViewer::fileName() const { return m_file->fileName(); }

void HelpViewer::fillContents() {
  m_contents->clear();
  // Parents by level; an entry deeper than the one before hangs under the last entry shown.
  std::vector<QTreeWidgetItem*> parents;
  for (const ChmFile::TocEntry& entry : m_file->tableOfContents()) {
    std::size_t level = std::min<std::size_t>(static_cast<std::size_t>(entry.level), parents.size());
    parents.resize(level);
    auto* item = parents.empty() ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(parents.back());
    item->setText(0, entry.name);
    item->setData(0, kTopicRole, entry.local);
    parents.push_back(item);
  }
  m_contents->expandAll();
}

void HelpViewer::fillIndex() {
  m_indexList->clear();
  for (const ChmFile::TocEntry& entry : m_file->keywordIndex()) {
    // A keyword under another is indented below it, as in the file.
    auto* item = new QListWidgetItem(QString(entry.level * 4, u' ') + entry.name, m_indexList);
    item->setData(kTopicRole, entry.local);
  }
}

void HelpViewer::jumpToKeyword(const QString& typed) {
  const QString wanted = HelpSearch::fold(typed.trimmed());
  if (wanted.isEmpty()) return;
  for (int row = 0; row < m_indexList->count(); ++row) {
    QListWidgetItem* item = m_indexList->item(row);
    if (HelpSearch::fold(item->text().trimmed()).startsWith(wanted)) {
      m_indexList->setCurrentItem(item);
      m_indexList->scrollToItem(item, QAbstractItemView::PositionAtTop);
      return;
    }
  }
}

void HelpViewer::openListItem(QListWidgetItem* item) {
  if (!item) return;
  const QString topic = item->data(kTopicRole).toString();
  if (!topic.isEmpty()) showTopic(topic);
}

void HelpViewer::runSearch() {
  if (m_search->pages().isEmpty()) m_search->load(*m_file);
  m_searchResults->clear();
  const QString query = m_searchEdit->text();
  m_searchResults->setProperty("query", query);
  const QList<HelpSearch::Hit> hits = m_search->find(query);
  for (const HelpSearch::Hit& hit : hits) {
    auto* item = new QListWidgetItem(hit.title, m_searchResults);
    item->setData(kTopicRole, hit.path);
  }
  if (hits.isEmpty()) {
    auto* item = new QListWidgetItem(uiText("No topic holds these words."), m_searchResults);
    item->setFlags(Qt::NoItemFlags);
  } else {
    m_searchResults->setCurrentRow(0);
  }
}

void HelpViewer::selectContentsEntry(const QString& shown) {
  for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
    QString topic = (*it)->data(0, kTopicRole).toString();
    if (!topic.isEmpty() && topic.compare(shown, Qt::CaseInsensitive) == 0) {
      QSignalBlocker block(m_contents);
      m_contents->setCurrentItem(*it);
      return;
    }
  }
}

bool HelpViewer::showContext(int context) {
  QString topic = m_file->topicForContext(static_cast<quint32>(context));
  if (topic.isEmpty()) {
    m_topic->setHtml(QStringLiteral("<html><body><h2>%1</h2><p>%2</p></body></html>")
                         .arg(uiText("No help for this item").toHtmlEscaped(),
                              uiText("The help file %1 has no topic for context %2. Choose a topic from the contents.")
                                  .arg(m_file->fileName(), QString::number(context))
                                  .toHtmlEscaped()));
    return false;
  }
  showTopic(topic);
  return true;
}

void HelpViewer::showTopic(const QString& objectPath) {
  if (objectPath.isEmpty()) return;
  m_topic->setSource(HelpTopicBrowser::topicUrl(objectPath), QTextDocument::HtmlResource);
}

QString HelpViewer::currentTopic() const { return m_topic->source().path(); }

void HelpViewer::bringToFront() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

}  // namespace corvantel::gui
