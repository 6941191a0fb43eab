#include "gui/widgets/chm_file.h"

#include <chm_lib.h>

#include <QFile>
#include <QStringList>
#include <QtEndian>

namespace corvantel::gui {

namespace {

QString objectPath(QString path) {
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (!path.startsWith(QLatin1Char('/'))) path.prepend(QLatin1Char('/'));
  return path;
}

// Decodes the few character references a sitemap value uses.
QString decodeEntities(QString s) {
  if (!s.contains(QLatin1Char('&'))) return s;
  s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
  s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
  s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
  s.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
  s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
  return s;
}

QString sitemapText(const QByteArray& bytes) {
  QString text = QString::fromUtf8(bytes);
  if (text.contains(QChar::ReplacementCharacter)) text = QString::fromLatin1(bytes);
  return text;
}

// The value of attribute `name` inside one tag's text (without the angle brackets), or nothing.
std::optional<QString> attribute(const QString& tag, const QString& name) {
  int at = 0;
  while ((at = tag.indexOf(name, at, Qt::CaseInsensitive)) >= 0) {
    bool startsWord = at == 0 || tag[at - 1].isSpace();
    int p = at + name.size();
    while (p < tag.size() && tag[p].isSpace()) ++p;
    if (!startsWord || p >= tag.size() || tag[p] != QLatin1Char('=')) {
      at += name.size();
      continue;
    }
    ++p;
    while (p < tag.size() && tag[p].isSpace()) ++p;
    if (p >= tag.size()) return QString();
    QChar quote = tag[p];
    if (quote == QLatin1Char('"') || quote == QLatin1Char('\'')) {
      int end = tag.indexOf(quote, p + 1);
      if (end < 0) end = tag.size();
      return decodeEntities(tag.mid(p + 1, end - p - 1));
    }
    int end = p;
    while (end < tag.size() && !tag[end].isSpace()) ++end;
    return decodeEntities(tag.mid(p, end - p));
  }
  return std::nullopt;
}

}  // namespace

ChmFile::~ChmFile() { close(); }

bool ChmFile::open(const QString& path) {
  close();
  QByteArray native = QFile::encodeName(path);
  m_file = chm_open(native.constData());
  if (!m_file) return false;
  m_fileName = path;
  readSystem();
  readContextMap();
  return true;
}

void ChmFile::close() {
  if (m_file) chm_close(m_file);
  m_file = nullptr;
  m_fileName.clear();
  m_title.clear();
  m_defaultTopic.clear();
  m_contentsFile.clear();
  m_indexFile.clear();
  m_strings.clear();
  m_map.clear();
}

std::optional<QByteArray> ChmFile::read(const QString& path) const {
  if (!m_file) return std::nullopt;
  QByteArray name = objectPath(path).toUtf8();
  chmUnitInfo info{};
  if (chm_resolve_object(m_file, name.constData(), &info) != CHM_RESOLVE_SUCCESS) return std::nullopt;
  if (info.length > static_cast<LONGUINT64>(kMaxObjectSize)) return std::nullopt;
  QByteArray bytes(static_cast<qsizetype>(info.length), Qt::Uninitialized);
  if (info.length == 0) return bytes;
  LONGINT64 got = chm_retrieve_object(m_file, &info, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                                      static_cast<LONGINT64>(info.length));
  if (got <= 0) return std::nullopt;
  bytes.truncate(static_cast<qsizetype>(got));
  return bytes;
}

bool ChmFile::contains(const QString& path) const {
  if (!m_file) return false;
  QByteArray name = objectPath(path).toUtf8();
  chmUnitInfo info{};
  return chm_resolve_object(m_file, name.constData(), &info) == CHM_RESOLVE_SUCCESS;
}

// The system record: a version word, then entries of a 16-bit code, a 16-bit length and that many bytes.
void ChmFile::readSystem() {
  std::optional<QByteArray> system = read(QStringLiteral("/#SYSTEM"));
  if (!system) return;
  const QByteArray& s = *system;
  qsizetype p = 4;
  while (p + 4 <= s.size()) {
    quint16 code = qFromLittleEndian<quint16>(s.constData() + p);
    quint16 length = qFromLittleEndian<quint16>(s.constData() + p + 2);
    p += 4;
    if (p + length > s.size()) break;
    QByteArray value = s.mid(p, length);
    int nul = value.indexOf('\0');
    if (nul >= 0) value.truncate(nul);
    switch (code) {
      case 0: m_contentsFile = objectPath(QString::fromUtf8(value)); break;
      case 1: m_indexFile = objectPath(QString::fromUtf8(value)); break;
      case 2: m_defaultTopic = objectPath(QString::fromUtf8(value)); break;
      case 3: m_title = QString::fromUtf8(value); break;
      default: break;
    }
    p += length;
  }
  if (m_contentsFile == QStringLiteral("/")) m_contentsFile.clear();
  if (m_defaultTopic == QStringLiteral("/")) m_defaultTopic.clear();
  if (m_indexFile == QStringLiteral("/")) m_indexFile.clear();
}

QString ChmFile::stringAt(quint32 offset) const {
  if (offset >= static_cast<quint32>(m_strings.size())) return {};
  const char* start = m_strings.constData() + offset;
  qsizetype limit = m_strings.size() - offset;
  qsizetype length = qstrnlen(start, static_cast<uint>(limit));
  return QString::fromUtf8(start, length);
}

// The context map: "#IVB" holds a byte count and then pairs of a context number and an offset into the
// string table "#STRINGS", where the topic's name stands.
void ChmFile::readContextMap() {
  std::optional<QByteArray> ivb = read(QStringLiteral("/#IVB"));
  if (!ivb || ivb->size() < 4) return;
  m_strings = read(QStringLiteral("/#STRINGS")).value_or(QByteArray());
  const QByteArray& v = *ivb;
  qsizetype declared = qFromLittleEndian<quint32>(v.constData());
  qsizetype end = std::min<qsizetype>(v.size(), 4 + declared);
  for (qsizetype p = 4; p + 8 <= end; p += 8) {
    quint32 context = qFromLittleEndian<quint32>(v.constData() + p);
    quint32 offset = qFromLittleEndian<quint32>(v.constData() + p + 4);
    QString stored = stringAt(offset);
    QString topic = resolveMappedName(stored, [this](const QString& name) { return contains(name); });
    m_map.append({context, topic});
  }
}

QString ChmFile::topicForContext(quint32 context) const {
  for (const auto& [number, topic] : m_map) {
    if (number == context) return topic;
  }
  return {};
}

QList<QPair<quint32, QString>> ChmFile::contextMap() const { return m_map; }

QString ChmFile::resolveMappedName(const QString& stored, const std::function<bool(const QString&)>& exists) {
  QString name = stored.trimmed();
  name.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (name.isEmpty()) return {};
  QStringList parts = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  for (qsizetype first = 0; first < parts.size(); ++first) {
    QString candidate = QLatin1Char('/') + parts.mid(first).join(QLatin1Char('/'));
    if (exists(candidate)) return candidate;
  }
  return {};
}

QList<ChmFile::TocEntry> ChmFile::parseSitemap(const QByteArray& bytes) {
  // Lists nest by <UL>; an entry is an <OBJECT type="text/sitemap"> with its <param> tags. Deeper
  // nesting than this is flattened, so a hostile file cannot build an unbounded tree.
  constexpr int kMaxLevel = 32;
  QString text = sitemapText(bytes);
  QList<TocEntry> entries;
  int depth = 0;
  bool inEntry = false;
  TocEntry current;
  qsizetype p = 0;
  while ((p = text.indexOf(QLatin1Char('<'), p)) >= 0) {
    qsizetype end = text.indexOf(QLatin1Char('>'), p + 1);
    if (end < 0) break;
    QString tag = text.mid(p + 1, end - p - 1).trimmed();
    p = end + 1;
    QString lower = tag.left(16).toLower();
    if (lower.startsWith(QStringLiteral("ul"))) {
      ++depth;
    } else if (lower.startsWith(QStringLiteral("/ul"))) {
      depth = std::max(0, depth - 1);
    } else if (lower.startsWith(QStringLiteral("object"))) {
      QString type = attribute(tag, QStringLiteral("type")).value_or(QString());
      inEntry = type.compare(QStringLiteral("text/sitemap"), Qt::CaseInsensitive) == 0;
      current = TocEntry{};
      current.level = std::clamp(depth - 1, 0, kMaxLevel);
    } else if (lower.startsWith(QStringLiteral("/object"))) {
      if (inEntry && !current.name.isEmpty()) entries.append(current);
      inEntry = false;
    } else if (inEntry && lower.startsWith(QStringLiteral("param"))) {
      QString name = attribute(tag, QStringLiteral("name")).value_or(QString());
      QString value = attribute(tag, QStringLiteral("value")).value_or(QString());
      if (name.compare(QStringLiteral("Name"), Qt::CaseInsensitive) == 0 && current.name.isEmpty()) {
        current.name = value;
      } else if (name.compare(QStringLiteral("Local"), Qt::CaseInsensitive) == 0 && current.local.isEmpty()) {
        current.local = value.isEmpty() ? QString() : objectPath(value);
      }
    }
  }
  return entries;
}

QList<ChmFile::TocEntry> ChmFile::tableOfContents() const {
  if (m_contentsFile.isEmpty()) return {};
  std::optional<QByteArray> text = read(m_contentsFile);
  if (!text) return {};
  return parseSitemap(*text);
}

QList<ChmFile::TocEntry> ChmFile::keywordIndex() const {
  if (m_indexFile.isEmpty()) return {};
  std::optional<QByteArray> text = read(m_indexFile);
  if (!text) return {};
  return parseSitemap(*text);
}

QStringList ChmFile::pagePaths() const {
  QStringList paths;
  if (!m_file) return paths;
  chm_enumerate(
      m_file, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES,
      [](chmFile*, chmUnitInfo* info, void* context) -> int {
        const QString path = QString::fromUtf8(info->path);
        if (path.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive) ||
            path.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive)) {
          static_cast<QStringList*>(context)->append(path);
        }
        return CHM_ENUMERATOR_CONTINUE;
      },
      &paths);
  return paths;
}

}  // namespace corvantel::gui
