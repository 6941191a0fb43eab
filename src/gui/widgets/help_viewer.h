#pragma once

#include <QWidget>
#include <memory>

class QAction;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace corvantel::gui {

class ChmFile;
class HelpSearch;
class HelpTopicBrowser;

// The help window: on the left the tabs Contents (the table of contents of a compiled help file), Index
// (its keywords: type the start of one, open its topic) and Search (type words, list the topics that
// hold them, open one); the topic on the right; Back, Forward and the start page above. It shows one
// help file at a time. Its texts follow the program's language (uiText).
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
  // Gives the window's own captions the current language's texts.
  void retranslate();

  // The parts of the window.
  QTabWidget* tabs() const { return m_tabs; }
  QTreeWidget* contentsTree() const { return m_contents; }
  QLineEdit* indexEdit() const { return m_indexEdit; }
  QListWidget* indexList() const { return m_indexList; }
  QLineEdit* searchEdit() const { return m_searchEdit; }
  QPushButton* searchButton() const { return m_searchButton; }
  QListWidget* searchResults() const { return m_searchResults; }
  HelpTopicBrowser* topicBrowser() const { return m_topic; }
  QAction* backAction() const { return m_backAction; }
  QAction* forwardAction() const { return m_forwardAction; }
  QAction* homeAction() const { return m_homeAction; }

  // The Search tab's search: fills the result list for the words in the search field.
  void runSearch();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  QWidget* buildIndexTab();
  QWidget* buildSearchTab();
  void fillContents();
  void fillIndex();
  void selectContentsEntry(const QString& objectPath);
  void jumpToKeyword(const QString& typed);
  void openListItem(QListWidgetItem* item);

  QTabWidget* m_tabs = nullptr;
  QTreeWidget* m_contents = nullptr;
  QLineEdit* m_indexEdit = nullptr;
  QListWidget* m_indexList = nullptr;
  QPushButton* m_indexShowButton = nullptr;
  QLineEdit* m_searchEdit = nullptr;
  QPushButton* m_searchButton = nullptr;
  QListWidget* m_searchResults = nullptr;
  QPushButton* m_searchShowButton = nullptr;
  HelpTopicBrowser* m_topic = nullptr;
  QAction* m_backAction = nullptr;
  QAction* m_forwardAction = nullptr;
  QAction* m_homeAction = nullptr;

  std::unique_ptr<ChmFile> m_file;
  std::unique_ptr<HelpSearch> m_search;  // read at the first search of a file
};

}  // namespace corvantel::gui
