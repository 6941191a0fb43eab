#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

struct chmFile;

namespace corvantel::gui {

// A compiled help file read through chmlib: its objects (topics, pictures, style sheets), the context
// map that turns help context numbers into topics, the system record (title, default topic, contents
// file) and the table of contents.
class ChmFile {
 public:
  // One entry of the table of contents, in document order; `level` 0 is the outermost list.
  struct TocEntry {
    QString name;
    QString local;  // object path with a leading "/", empty for a heading without a topic
    int level = 0;
  };

  ChmFile() = default;
  ~ChmFile();
  ChmFile(const ChmFile&) = delete;
  ChmFile& operator=(const ChmFile&) = delete;

  // Opens `path`; false when it is missing or not a compiled help file. Closes any file opened before.
  bool open(const QString& path);
  void close();
  bool isOpen() const { return m_file != nullptr; }
  const QString& fileName() const { return m_fileName; }

  // The bytes of an object ("/topics/a.htm"); nothing when the file has no such object or it is too big.
  std::optional<QByteArray> read(const QString& objectPath) const;
  bool contains(const QString& objectPath) const;

  QString title() const { return m_title; }
  QString defaultTopic() const { return m_defaultTopic; }
  QString contentsFile() const { return m_contentsFile; }
  QString indexFile() const { return m_indexFile; }

  // The topic mapped to `context`, as an object path of this file; empty when the map does not know it.
  QString topicForContext(quint32 context) const;
  // Every (context, topic) pair of the map, in the file's order.
  QList<QPair<quint32, QString>> contextMap() const;
  QList<TocEntry> tableOfContents() const;
  // The keyword index (the file's .hhk sitemap): keywords in the file's order, `level` 1 for a keyword
  // under the one before it.
  QList<TocEntry> keywordIndex() const;
  // The object paths of every page of the file ("*.htm", "*.html"), in the file's order.
  QStringList pagePaths() const;

  // The object path a name of the context map stands for. Compilers store the name as given, often as
  // the absolute path of the source file on the machine that built it: the name is tried as stored, then
  // without its leading folders one at a time, until `exists` accepts one. Empty when none is accepted.
  static QString resolveMappedName(const QString& stored, const std::function<bool(const QString&)>& exists);
  // The entries of a sitemap (.hhc) text.
  static QList<TocEntry> parseSitemap(const QByteArray& text);

  // Objects larger than this are not read.
  static constexpr qint64 kMaxObjectSize = 64 * 1024 * 1024;

 private:
  void readSystem();
  void readContextMap();
  QString stringAt(quint32 offset) const;

  chmFile* m_file = nullptr;
  QString m_fileName;
  QString m_title;
  QString m_defaultTopic;
  QString m_contentsFile;
  QString m_indexFile;
  QByteArray m_strings;
  QList<QPair<quint32, QString>> m_map;
};

}  // namespace corvantel::gui
