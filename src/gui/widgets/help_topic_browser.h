#pragma once

#include <QTextBrowser>

namespace corvantel::gui {

class ChmFile;

// A text browser whose pages, pictures and style sheets come from a compiled help file. Topics are
// addressed as "chm:/topics/a.htm"; relative links resolve against the shown topic. Links to web pages
// and mail addresses go to the desktop's browser.
class HelpTopicBrowser : public QTextBrowser {
 public:
  static constexpr const char* kScheme = "chm";

  explicit HelpTopicBrowser(QWidget* parent = nullptr);
  void setHelpFile(const ChmFile* file) { m_file = file; }

  // The address of an object path of the file.
  static QUrl topicUrl(const QString& objectPath);

  QVariant loadResource(int type, const QUrl& name) override;

 private:
  void followLink(const QUrl& link);

  const ChmFile* m_file = nullptr;
};

}  // namespace corvantel::gui
