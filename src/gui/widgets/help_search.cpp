#include "gui/widgets/help_search.h"

#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <algorithm>

#include "gui/widgets/chm_file.h"

namespace corvantel::gui {

namespace {

QString pageTitle(const QString& html) {
  static const QRegularExpression title(QStringLiteral("<title[^>]*>(.*?)</title>"),
                                        QRegularExpression::CaseInsensitiveOption |
                                            QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch m = title.match(html);
  return m.hasMatch() ? QTextDocumentFragment::fromHtml(m.captured(1)).toPlainText().simplified() : QString();
}

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

// How often `word` starts a word of `text`.
int countWordStarts(const QString& text, const QString& word) {
  int count = 0;
  for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + 1)) {
    if (at == 0 || !isWordChar(text.at(at - 1))) ++count;
  }
  return count;
}

}  // namespace

QString HelpSearch::fold(const QString& text) {
  const QString decomposed = text.normalized(QString::NormalizationForm_KD);
  QString out;
  out.reserve(decomposed.size());
  for (QChar c : decomposed) {
    if (c.category() == QChar::Mark_NonSpacing) continue;
    out.append(c);
  }
  return out.toCaseFolded();
}

void HelpSearch::load(const ChmFile& file) {
  m_pages.clear();
  for (const QString& path : file.pagePaths()) {
    const std::optional<QByteArray> bytes = file.read(path);
    if (!bytes) continue;
    const QString html = QString::fromUtf8(*bytes);
    QString title = pageTitle(html);
    if (title.isEmpty()) title = path;
    // The title counts as text of the page.
    const QString text = title + u'\n' + QTextDocumentFragment::fromHtml(html).toPlainText();
    m_pages.append({path, title, fold(text)});
  }
}

QList<HelpSearch::Hit> HelpSearch::find(const QString& query) const {
  static const QRegularExpression separators(QStringLiteral("[^\\w]+"));
  const QStringList words = fold(query).split(separators, Qt::SkipEmptyParts);
  QList<Hit> hits;
  if (words.isEmpty()) return hits;
  for (const Page& page : m_pages) {
    int total = 0;
    bool all = true;
    for (const QString& word : words) {
      const int n = countWordStarts(page.text, word);
      if (n == 0) {
        all = false;
        break;
      }
      total += n;
    }
    if (all) hits.append({page.path, page.title, total});
  }
  std::stable_sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) { return a.matches > b.matches; });
  return hits;
}

}  // namespace corvantel::gui
