#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace corvantel::gui {

class ChmFile;

// The Search tab's search: the text of every page of a help file, read once from the file, and the pages
// that hold every word of a query. A word matches where a word of the page starts with it, without regard
// to letter case or accents ("colour" finds "Colours", "farbe" finds "Farbe"). The file's own full-text
// index is not read: the pages are few and small, and their text is what the index is made from.
class HelpSearch {
 public:
  struct Page {
    QString path;   // object path, "/topics/a.htm"
    QString title;  // the page's <title>, else its path
    QString text;   // folded plain text
  };
  struct Hit {
    QString path;
    QString title;
    int matches = 0;  // how often the query's words occur
  };

  // Reads the pages of `file` (an open file; no pages for a closed one).
  void load(const ChmFile& file);
  const QList<Page>& pages() const { return m_pages; }

  // The pages holding every word of `query`, most matches first, then in the file's order. An empty
  // query finds nothing.
  QList<Hit> find(const QString& query) const;

  // A text as the search compares it: case-folded, accents removed.
  static QString fold(const QString& text);

 private:
  QList<Page> m_pages;
};

}  // namespace corvantel::gui
