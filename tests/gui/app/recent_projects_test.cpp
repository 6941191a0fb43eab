// Recent projects in the File menu and projects dropped onto the window.
#include "core/ini/recent_projects.h"

#include <QAction>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "core/io/file_io.h"
#include "main_window_fixture.h"

namespace corvantel::test {
namespace {

using Answer = gui::UserPrompts::Answer;

class RecentProjectsTest : public MainWindowTest {
 protected:
  // Saves the open document under `name` in the test folder through Save project as.
  std::string saveAs(const std::string& name) {
    const std::string path = dir.file(name);
    prompts.answerSaveFile(QString::fromStdString(path));
    form->saveProjectAs();
    return path;
  }
  QStringList menuEntries() {
    QStringList out;
    for (QAction* a : menu("fileMenu")->actions()) {
      if (a->objectName().startsWith(QStringLiteral("RecentProject")) && a->isVisible()) out << a->text();
    }
    return out;
  }
  QAction* entry(int i) {
    for (QAction* a : menu("fileMenu")->actions()) {
      if (a->objectName() == QStringLiteral("RecentProject%1").arg(i)) return a;
    }
    ADD_FAILURE() << "no recent entry " << i;
    return nullptr;
  }
  void drop(const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    EXPECT_TRUE(form->openDroppedProject(&data));
  }
};

TEST_F(RecentProjectsTest, SavedAndOpenedProjectsAreListedNewestFirst) {
  EXPECT_TRUE(menuEntries().isEmpty());
  const std::string a = saveAs("alpha.cvp");
  const std::string b = saveAs("beta.cvp");
  EXPECT_EQ(menuEntries(), (QStringList{"&1 beta.cvp", "&2 alpha.cvp"}));

  // Opening the older one moves it to the top; the list lives in its own section of Corvantel.ini.
  prompts.answerOpenFile(QString::fromStdString(a));
  form->openProject();
  EXPECT_EQ(menuEntries(), (QStringList{"&1 alpha.cvp", "&2 beta.cvp"}));
  const std::string ini = dir.file("Corvantel.ini");
  EXPECT_EQ(ini::RecentProjects::load(ini).paths(), (std::vector<std::string>{a, b}));

  // Choosing an entry opens it, with the save question as for Open project.
  form->addMenu();
  prompts.answerYesNoCancel(Answer::No);
  if (QAction* a = entry(2)) a->trigger();
  EXPECT_EQ(form->document().projectFileName(), b);
  EXPECT_FALSE(form->document().isModified());
  prompts.verifyAllUsed();
}

TEST_F(RecentProjectsTest, AtMostEightEntries) {
  for (int i = 0; i < 10; ++i) saveAs("p" + std::to_string(i) + ".cvp");
  const QStringList entries = menuEntries();
  ASSERT_EQ(entries.size(), 8);
  EXPECT_EQ(entries.first(), "&1 p9.cvp");
  EXPECT_EQ(entries.last(), "&8 p2.cvp");
}

TEST_F(RecentProjectsTest, AMissingProjectIsRemovedWithAMessage) {
  const std::string a = saveAs("alpha.cvp");
  saveAs("beta.cvp");
  std::remove(a.c_str());
  std::remove((dir.file("alpha.cvd")).c_str());
  const std::string before = form->document().projectFileName();
  prompts.expectWarning();
  if (QAction* a = entry(2)) a->trigger();
  prompts.verifyAllUsed();
  ASSERT_EQ(prompts.texts(ScriptedPrompts::Kind::Warning).size(), 1);
  EXPECT_TRUE(prompts.texts(ScriptedPrompts::Kind::Warning).first().contains(QString::fromStdString(a)));
  EXPECT_EQ(menuEntries(), QStringList{"&1 beta.cvp"});
  EXPECT_EQ(form->document().projectFileName(), before);
}

TEST_F(RecentProjectsTest, DroppingAProjectAsksTheSaveQuestionFirst) {
  const std::string other = saveAs("other.cvp");
  form->newProject();  // nothing unsaved: no question
  form->addMenu();
  form->addMenu();

  // Cancel keeps the unsaved work.
  prompts.answerYesNoCancel(Answer::Cancel);
  drop(other);
  EXPECT_TRUE(form->document().isUnnamed());
  EXPECT_EQ(tree().root()->childCount(), 2);
  EXPECT_TRUE(form->document().isModified());

  // No opens the dropped project.
  prompts.answerYesNoCancel(Answer::No);
  drop(other);
  EXPECT_EQ(form->document().projectFileName(), other);
  EXPECT_EQ(tree().root()->childCount(), 0);
  EXPECT_FALSE(form->document().isModified());
  EXPECT_EQ(prompts.texts(ScriptedPrompts::Kind::YesNoCancel).size(), 2);
  prompts.verifyAllUsed();
}

TEST_F(RecentProjectsTest, DropsThatNameNoProjectAreNotTaken) {
  QMimeData text;
  text.setText(QStringLiteral("hello"));
  EXPECT_FALSE(form->openDroppedProject(&text));
  QMimeData page;
  page.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.file("menu.html")))});
  EXPECT_FALSE(form->openDroppedProject(&page));
  EXPECT_TRUE(prompts.calls().empty());
}

TEST_F(RecentProjectsTest, TitleAndStatusLineShowTheProjectAndUnsavedChanges) {
  EXPECT_TRUE(form->statusText().startsWith(QStringLiteral("New project")));
  EXPECT_EQ(form->windowTitle(), QStringLiteral("New project[*] \u2014 Corvantel 2"));
  EXPECT_FALSE(form->isWindowModified());
  form->addMenu();
  EXPECT_TRUE(form->statusText().contains(QStringLiteral("unsaved changes")));
  EXPECT_TRUE(form->isWindowModified());
  saveAs("site.cvp");
  EXPECT_TRUE(form->statusText().startsWith(QStringLiteral("site.cvp")));
  EXPECT_FALSE(form->statusText().contains(QStringLiteral("unsaved changes")));
  EXPECT_EQ(form->windowTitle(), QStringLiteral("site.cvp[*] \u2014 Corvantel 2"));
  EXPECT_FALSE(form->isWindowModified());
  form->addMenu();
  EXPECT_TRUE(form->isWindowModified());
}

}  // namespace
}  // namespace corvantel::test
