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
// Back, Forward and Contents above. It shows one help file at a time.
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

  QTreeWidget* Contents = nullptr;
  HelpTopicBrowser* Topic = nullptr;
  QAction* BackAction = nullptr;
  QAction* ForwardAction = nullptr;
  QAction* HomeAction = nullptr;

 private:
  void fillContents();
  void selectContentsEntry(const QString& objectPath);

  std::unique_ptr<ChmFile> m_file;
};

}  // namespace corvantel::gui
