#include <QFile>
#include <QtEndian>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "gui/widgets/chm_file.h"
#include "help_test_support.h"

using corvantel::gui::ChmFile;
using namespace corvantel::test;

namespace {

QString titleOf(const ChmFile& file, const QString& topic) {
  QString html = QString::fromUtf8(file.read(topic).value_or(QByteArray()));
  auto match = QRegularExpression(QStringLiteral("<title>(.*)</title>")).match(html);
  return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

// The context numbers the program asks for resolve to their topics in the file the build made, read
// from a copy far from the folder it was compiled in.
TEST(HelpChmFile, BuiltFileMapsEveryContextOfTheProgram) {
  TempDir dir;
  std::string copy = copyHelpFileTo(dir.path() + "/elsewhere");
  ChmFile file;
  ASSERT_TRUE(file.open(QString::fromStdString(copy)));

  struct Expected {
    quint32 context;
    const char* topic;
    const char* title;
  };
  const Expected expected[] = {
      {1000, "/topics/main_window.htm", "The main window"},
      {1002, "/topics/languages.htm", "Languages"},
      {1004, "/topics/delete_item.htm", "Removing an item"},
      {1005, "/topics/project_settings.htm", "Project settings"},
      {1010, "/topics/generating.htm", "Generating and publishing"},
      {1011, "/topics/colour_palette.htm", "The colour palette"},
      {1012, "/topics/about.htm", "About Corvantel and this help"},
      {1013, "/topics/own_site.htm", "The menu on your own site"},
      {1049, "/topics/contents.htm", "Corvantel Help"},
  };
  for (const Expected& e : expected) {
    EXPECT_EQ(file.topicForContext(e.context), QString::fromLatin1(e.topic)) << e.context;
    EXPECT_EQ(titleOf(file, QString::fromLatin1(e.topic)), QString::fromLatin1(e.title)) << e.context;
  }
  EXPECT_EQ(file.contextMap().size(), 9);
  EXPECT_TRUE(file.topicForContext(1001).isEmpty());
  EXPECT_TRUE(file.topicForContext(0).isEmpty());

  EXPECT_EQ(file.defaultTopic(), QStringLiteral("/topics/contents.htm"));
  EXPECT_EQ(file.title(), QStringLiteral("Corvantel Help"));

  // Every entry of the contents that names a topic names one the file holds.
  QList<ChmFile::TocEntry> toc = file.tableOfContents();
  ASSERT_GE(toc.size(), 10);
  int nested = 0;
  for (const ChmFile::TocEntry& entry : toc) {
    if (entry.level > 0) ++nested;
    if (!entry.local.isEmpty()) {
      EXPECT_TRUE(file.contains(entry.local)) << entry.local.toStdString();
    }
  }
  EXPECT_GT(nested, 0);
}

// Any reader finds the mapped topics: the raw map ("#IVB": a byte count, then pairs of context number and
// offset into "#STRINGS") names each topic by its path inside the file, never by a folder of the machine
// that compiled it.
TEST(HelpChmFile, ContextMapStoresPathsInsideTheFile) {
  ChmFile file;
  ASSERT_TRUE(file.open(QString::fromStdString(builtHelpFile())));
  const QByteArray ivb = file.read(QStringLiteral("/#IVB")).value_or(QByteArray());
  const QByteArray strings = file.read(QStringLiteral("/#STRINGS")).value_or(QByteArray());
  auto word = [&ivb](qsizetype at) { return qFromLittleEndian<quint32>(ivb.constData() + at); };
  ASSERT_GE(ivb.size(), 4);
  ASSERT_EQ(word(0), quint32(ivb.size() - 4));
  ASSERT_EQ((ivb.size() - 4) % 8, 0);
  int entries = 0;
  for (qsizetype at = 4; at + 8 <= ivb.size(); at += 8, ++entries) {
    const quint32 context = word(at);
    const quint32 offset = word(at + 4);
    ASSERT_LT(offset, quint32(strings.size())) << context;
    const QString stored = QString::fromUtf8(strings.constData() + offset);
    SCOPED_TRACE(stored.toStdString());
    EXPECT_FALSE(stored.startsWith(u'/') || stored.startsWith(u'\\') || stored.contains(u':')) << context;
    EXPECT_TRUE(file.contains(u'/' + stored)) << context;
    EXPECT_EQ(file.topicForContext(context), u'/' + stored) << context;
  }
  EXPECT_EQ(entries, file.contextMap().size());
  EXPECT_GE(entries, 5);
}

TEST(HelpChmFile, MappedNamesLoseLeadingFoldersUntilFound) {
  auto holds = [](std::initializer_list<const char*> names) {
    QStringList list;
    for (const char* n : names) list << QString::fromLatin1(n);
    return [list](const QString& name) { return list.contains(name); };
  };
  auto exists = holds({"/topics/a.htm", "/b.htm"});
  EXPECT_EQ(ChmFile::resolveMappedName(QStringLiteral("/home/me/build/help/stage/topics/a.htm"), exists),
            QStringLiteral("/topics/a.htm"));
  EXPECT_EQ(ChmFile::resolveMappedName(QStringLiteral("C:\\Work\\help\\topics\\a.htm"), exists),
            QStringLiteral("/topics/a.htm"));
  EXPECT_EQ(ChmFile::resolveMappedName(QStringLiteral("topics/a.htm"), exists), QStringLiteral("/topics/a.htm"));
  // As stored wins over a shorter name.
  auto both = holds({"/x/b.htm", "/b.htm"});
  EXPECT_EQ(ChmFile::resolveMappedName(QStringLiteral("/x/b.htm"), both), QStringLiteral("/x/b.htm"));
  EXPECT_TRUE(ChmFile::resolveMappedName(QStringLiteral("/work/missing.htm"), exists).isEmpty());
  EXPECT_TRUE(ChmFile::resolveMappedName(QString(), exists).isEmpty());
  EXPECT_TRUE(ChmFile::resolveMappedName(QStringLiteral("///"), exists).isEmpty());
}

TEST(HelpChmFile, SitemapEntriesLevelsAndHostileText) {
  QByteArray text =
      "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Tom &amp; Jerry\">"
      "<param name=\"Local\" value=\"topics\\a.htm\"></OBJECT>"
      "<UL><LI><OBJECT TYPE='text/sitemap'><PARAM NAME=Name VALUE=Inner><PARAM name=\"Local\" value=\"b.htm#x\">"
      "</OBJECT></UL>"
      "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Heading\"></OBJECT>"
      "<OBJECT type=\"text/site properties\"><param name=\"Name\" value=\"not an entry\"></OBJECT></UL>";
  QList<ChmFile::TocEntry> entries = ChmFile::parseSitemap(text);
  ASSERT_EQ(entries.size(), 3);
  EXPECT_EQ(entries[0].name, QStringLiteral("Tom & Jerry"));
  EXPECT_EQ(entries[0].local, QStringLiteral("/topics/a.htm"));
  EXPECT_EQ(entries[0].level, 0);
  EXPECT_EQ(entries[1].name, QStringLiteral("Inner"));
  EXPECT_EQ(entries[1].local, QStringLiteral("/b.htm#x"));
  EXPECT_EQ(entries[1].level, 1);
  EXPECT_EQ(entries[2].local, QString());
  EXPECT_EQ(entries[2].level, 0);

  // Very deep nesting is flattened, unterminated tags and stray closers are survived.
  QByteArray deep = QByteArray("<UL>").repeated(100000) +
                    "<OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"deep\"></OBJECT>" +
                    QByteArray("</UL>").repeated(100005) + "<OBJECT type=\"text/sitemap\"><param name=\"Name";
  QList<ChmFile::TocEntry> flat = ChmFile::parseSitemap(deep);
  ASSERT_EQ(flat.size(), 1);
  EXPECT_LE(flat[0].level, 32);
  EXPECT_TRUE(ChmFile::parseSitemap(QByteArray("\xff\xfe<<<>>>\0\0", 10)).isEmpty());
}

TEST(HelpChmFile, UnreadableFilesAreRefused) {
  TempDir dir;
  ChmFile file;
  EXPECT_FALSE(file.open(QString::fromStdString(dir.file("missing.chm"))));
  writeFile(dir.file("garbage.chm"), std::string(5000, '\x5a'));
  EXPECT_FALSE(file.open(QString::fromStdString(dir.file("garbage.chm"))));
  writeFile(dir.file("empty.chm"), "");
  EXPECT_FALSE(file.open(QString::fromStdString(dir.file("empty.chm"))));
  EXPECT_FALSE(file.isOpen());
  EXPECT_FALSE(file.read(QStringLiteral("/topics/contents.htm")).has_value());
  EXPECT_TRUE(file.tableOfContents().isEmpty());

  // A file whose head is right but whose body is cut off opens or not, but never crashes a read.
  std::string built = readFile(builtHelpFile());
  ASSERT_GT(built.size(), 4096u);
  writeFile(dir.file("cut.chm"), built.substr(0, built.size() / 3));
  if (file.open(QString::fromStdString(dir.file("cut.chm")))) {
    file.read(QStringLiteral("/topics/project_settings.htm"));
    file.tableOfContents();
    file.topicForContext(1005);
  }
}
