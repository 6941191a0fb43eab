// Preview in browser: generates the open project into a temporary folder, asks the desktop to open its
// menu.html, leaves the document as it was, and removes the folder with the window.
#include <gtest/gtest.h>

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QUrl>
#include <memory>

#include "gui/app/main_window.h"
#include "support/gui/find_child.h"
#include "support/gui/scripted_prompts.h"

namespace {

// Takes the desktop's "open this address" requests for file: addresses instead of a browser.
class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void openUrl(const QUrl& url) { urls.push_back(url); }
};

class PreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "openUrl");
    corvantel::gui::StartOptions options;
    options.programFolder = std::string(CORVANTEL_PROGRAM_DIR) + "/";  // has data/ with the menu script
    form = std::make_unique<corvantel::gui::MainWindow>(options);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  void TearDown() override {
    form.reset();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  }

  UrlRecorder recorder;
  corvantel::test::ScriptedPrompts prompts;
  std::unique_ptr<corvantel::gui::MainWindow> form;
};

TEST_F(PreviewTest, OpensAFreshGeneratedFolderEachTimeAndRemovesThemWithTheWindow) {
  ASSERT_NE(corvantel::test::child<QAction>(form.get(), "previewAction"), nullptr);
  corvantel::document::MenuTree& tree = form->document().tree();
  tree.append(tree.root(), "Home\tindex.html", -1);
  form->document().setModified(false);

  corvantel::test::child<QAction>(form.get(), "previewAction")->trigger();
  ASSERT_EQ(recorder.urls.size(), 1);
  const QString page = recorder.urls[0].toLocalFile();
  EXPECT_TRUE(page.endsWith(QStringLiteral("/menu.html")));
  const QString folder = QFileInfo(page).absolutePath();
  EXPECT_EQ(folder, form->lastPreviewFolder());
  for (const char* name : {"menu.html", "hierArrays.js", "hierMenus.js", "HM_Loader.js", "tri.gif", "triL.gif"}) {
    EXPECT_TRUE(QFileInfo::exists(folder + QLatin1Char('/') + QLatin1String(name))) << name;
  }
  EXPECT_FALSE(form->document().isModified());
  EXPECT_EQ(form->document().projectFileName(), "noname");

  // A second preview gets its own folder; the first stays until the window goes.
  corvantel::test::child<QAction>(form.get(), "previewAction")->trigger();
  ASSERT_EQ(recorder.urls.size(), 2);
  const QString second = QFileInfo(recorder.urls[1].toLocalFile()).absolutePath();
  EXPECT_NE(second, folder);
  EXPECT_TRUE(QDir(folder).exists());

  form.reset();
  EXPECT_FALSE(QDir(folder).exists());
  EXPECT_FALSE(QDir(second).exists());
}

}  // namespace

#include "preview_test.moc"
