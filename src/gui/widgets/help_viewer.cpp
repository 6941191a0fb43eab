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
  setObjectName(QStringLiteral("HelpViewer"));
  setWindowTitle(QStringLiteral("Corvantel Help"));
  resize(820, 560);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QToolBar(this);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  BackAction = bar->addAction(QStringLiteral("Back"));
  ForwardAction = bar->addAction(QStringLiteral("Forward"));
  bar->addSeparator();
  HomeAction = bar->addAction(QStringLiteral("Contents"));
  BackAction->setShortcut(QKeySequence::Back);
  ForwardAction->setShortcut(QKeySequence::Forward);
  BackAction->setEnabled(false);
  ForwardAction->setEnabled(false);
  layout->addWidget(bar);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  Contents = new QTreeWidget(splitter);
  Contents->setObjectName(QStringLiteral("Contents"));
  Contents->setHeaderHidden(true);
  Contents->setRootIsDecorated(true);
  Contents->setUniformRowHeights(true);
  Topic = new HelpTopicBrowser(splitter);
  Topic->setObjectName(QStringLiteral("Topic"));
  Topic->setHelpFile(m_file.get());
  splitter->addWidget(Contents);
  splitter->addWidget(Topic);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({230, 590});
  layout->addWidget(splitter, 1);

  connect(BackAction, &QAction::triggered, Topic, &QTextBrowser::backward);
  connect(ForwardAction, &QAction::triggered, Topic, &QTextBrowser::forward);
  connect(Topic, &QTextBrowser::backwardAvailable, BackAction, &QAction::setEnabled);
  connect(Topic, &QTextBrowser::forwardAvailable, ForwardAction, &QAction::setEnabled);
  connect(HomeAction, &QAction::triggered, this, [this] { showTopic(m_file->defaultTopic()); });
  connect(Contents, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    QString topic = item->data(0, kTopicRole).toString();
    if (!topic.isEmpty()) showTopic(topic);
  });
  connect(Contents, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    QString topic = item->data(0, kTopicRole).toString();
    if (!topic.isEmpty()) showTopic(topic);
  });
  connect(Topic, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
    selectContentsEntry(url.path());
    QString title = Topic->documentTitle();
    setWindowTitle(title.isEmpty() ? m_file->title() : m_file->title() + QStringLiteral(" - ") + title);
  });
}

HelpViewer::~HelpViewer() = default;

bool HelpViewer::openFile(const QString& path) {
  auto file = std::make_unique<ChmFile>();
  if (!file->open(path)) return false;
  m_file = std::move(file);
  Topic->setHelpFile(m_file.get());
  Topic->clearHistory();
  fillContents();
  return true;
}

QString HelpViewer::fileName() const { return m_file->fileName(); }

void HelpViewer::fillContents() {
  Contents->clear();
  // Parents by level; an entry deeper than the one before hangs under the last entry shown.
  std::vector<QTreeWidgetItem*> parents;
  for (const ChmFile::TocEntry& entry : m_file->tableOfContents()) {
    std::size_t level = std::min<std::size_t>(static_cast<std::size_t>(entry.level), parents.size());
    parents.resize(level);
    auto* item = parents.empty() ? new QTreeWidgetItem(Contents) : new QTreeWidgetItem(parents.back());
    item->setText(0, entry.name);
    item->setData(0, kTopicRole, entry.local);
    parents.push_back(item);
  }
  Contents->expandAll();
}

void HelpViewer::selectContentsEntry(const QString& shown) {
  for (QTreeWidgetItemIterator it(Contents); *it; ++it) {
    QString topic = (*it)->data(0, kTopicRole).toString();
    if (!topic.isEmpty() && topic.compare(shown, Qt::CaseInsensitive) == 0) {
      QSignalBlocker block(Contents);
      Contents->setCurrentItem(*it);
      return;
    }
  }
}

bool HelpViewer::showContext(int context) {
  QString topic = m_file->topicForContext(static_cast<quint32>(context));
  if (topic.isEmpty()) {
    Topic->setHtml(QStringLiteral("<html><body><h2>No help for this item</h2>"
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
  Topic->setSource(HelpTopicBrowser::topicUrl(objectPath), QTextDocument::HtmlResource);
}

QString HelpViewer::currentTopic() const { return Topic->source().path(); }

void HelpViewer::bringToFront() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

}  // namespace corvantel::gui
