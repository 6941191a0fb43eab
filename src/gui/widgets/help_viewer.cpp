#include "gui/widgets/help_viewer.h"

#include <QHeaderView>
#include <QSplitter>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <vector>

#include "gui/widgets/chm_file.h"
#include "gui/widgets/help_topic_browser.h"

namespace corvantel::gui {

namespace {
constexpr int kTopicRole = Qt::UserRole + 1;
}

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window), m_file(std::make_unique<ChmFile>()) {
  setObjectName(QStringLiteral("helpViewer"));
  setWindowTitle(QStringLiteral("Corvantel Help"));
  resize(820, 560);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QToolBar(this);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  m_backAction = bar->addAction(QStringLiteral("Back"));
  m_forwardAction = bar->addAction(QStringLiteral("Forward"));
  bar->addSeparator();
  m_homeAction = bar->addAction(QStringLiteral("Contents"));
  m_backAction->setShortcut(QKeySequence::Back);
  m_forwardAction->setShortcut(QKeySequence::Forward);
  m_backAction->setEnabled(false);
  m_forwardAction->setEnabled(false);
  layout->addWidget(bar);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  m_contents = new QTreeWidget(splitter);
  m_contents->setObjectName(QStringLiteral("contents"));
  m_contents->setHeaderHidden(true);
  m_contents->setRootIsDecorated(true);
  m_contents->setUniformRowHeights(true);
  m_topic = new HelpTopicBrowser(splitter);
  m_topic->setObjectName(QStringLiteral("topic"));
  m_topic->setHelpFile(m_file.get());
  splitter->addWidget(m_contents);
  splitter->addWidget(m_topic);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({230, 590});
  layout->addWidget(splitter, 1);

  connect(m_backAction, &QAction::triggered, m_topic, &QTextBrowser::backward);
  connect(m_forwardAction, &QAction::triggered, m_topic, &QTextBrowser::forward);
  connect(m_topic, &QTextBrowser::backwardAvailable, m_backAction, &QAction::setEnabled);
  connect(m_topic, &QTextBrowser::forwardAvailable, m_forwardAction, &QAction::setEnabled);
  connect(m_homeAction, &QAction::triggered, this, [this] { showTopic(m_file->defaultTopic()); });
  connect(m_contents, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    QString topic = item->data(0, kTopicRole).toString();
    if (!topic.isEmpty()) showTopic(topic);
  });
  connect(m_contents, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    QString topic = item->data(0, kTopicRole).toString();
    if (!topic.isEmpty()) showTopic(topic);
  });
  connect(m_topic, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
    selectContentsEntry(url.path());
    QString title = m_topic->documentTitle();
    setWindowTitle(title.isEmpty() ? m_file->title() : m_file->title() + QStringLiteral(" - ") + title);
  });
}

HelpViewer::~HelpViewer() = default;

bool HelpViewer::openFile(const QString& path) {
  auto file = std::make_unique<ChmFile>();
  if (!file->open(path)) return false;
  m_file = std::move(file);
  m_topic->setHelpFile(m_file.get());
  m_topic->clearHistory();
  fillContents();
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
    m_topic->setHtml(QStringLiteral("<html><body><h2>No help for this item</h2>"
                                    "<p>The help file %1 has no topic for context %2. "
                                    "Choose a topic from the contents.</p></body></html>")
                         .arg(m_file->fileName().toHtmlEscaped())
                         .arg(context));
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
