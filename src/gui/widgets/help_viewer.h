#pragma once

#include <QWidget>
#include <memory>

class QAction;
class QTreeWidget;
class QTreeWidgetItem;

namespace corvantel::gui {

class ChmFile;
class HelpTopicBrowser;

// The help window: the table of contents of a compiled help file on the left, the topic on the right,
// Back, Forward and m_contents above. It shows one help file at a time.
class HelpViewer : public QWidget {
  Q_OBJECT
 public:
  explicit HelpViewer(QWidget* parent = nullptr);
  ~HelpViewer() override;

  // Opens the help file; false when it cannot be read (the window then keeps what it showed).
  bool openFile(const QString& path);
  QString fileName() const;
  const ChmFile& file() const { return *m_file; }

  // Shows the topic mapped to `context`; a context the file does not know shows a page saying so and
  // returns false.
  bool showContext(int context);
  // Shows an object of the file ("/topics/a.htm", optionally with "#anchor").
  void showTopic(const QString& objectPath);
  // The object path of the topic shown.
  QString currentTopic() const;
  // Shows the window and brings it in front of the others.
  void bringToFront();

  // The parts of the window: the table of contents, the topic, and Back, Forward and Contents.
  QTreeWidget* contentsTree() const { return m_contents; }
  HelpTopicBrowser* topicBrowser() const { return m_topic; }
  QAction* backAction() const { return m_backAction; }
  QAction* forwardAction() const { return m_forwardAction; }
  QAction* homeAction() const { return m_homeAction; }

 private:
  void fillContents();
  void selectContentsEntry(const QString& objectPath);

  QTreeWidget* m_contents = nullptr;
  HelpTopicBrowser* m_topic = nullptr;
  QAction* m_backAction = nullptr;
  QAction* m_forwardAction = nullptr;
  QAction* m_homeAction = nullptr;

  std::unique_ptr<ChmFile> m_file;
};

}  // namespace corvantel::gui
