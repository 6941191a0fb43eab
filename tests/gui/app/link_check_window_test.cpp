// Check links in the window: the site folder from the settings dialog, the marks in the tree, the
// report's double click, and marks and report following an edit.
#include <QDialog>
#include <QLineEdit>
#include <QTreeWidget>

#include "main_window_fixture.h"

namespace corvantel::test {
namespace {

TEST_F(MainWindowTest, CheckLinksMarksTheBrokenItemAndTheReportLeadsToIt) {
  std::filesystem::create_directories(dir.file("site/docs"));
  writeFile(dir.file("site/index.html"), "x");
  writeFile(dir.file("site/docs/guide.html"), "x");
  prompts.answerDialog(QDialog::Accepted, [this](QDialog* dialog) {
    child<QLineEdit>(dialog, "siteFolderEdit")->setText(QString::fromStdString(dir.file("site")));
  });
  form->editProjectSettings();
  document::MenuItem* good = tree().append(root(), "Guide\tdocs/guide.html#start", -1);
  document::MenuItem* broken = tree().append(root(), "Gone\tdocs/gone.html", -1);
  expandAll();

  action("checkLinksAction")->trigger();
  const gui::MenuTreeModel* model = form->treeModel();
  const QModelIndex goodIndex = model->indexFromItem(good);
  const QModelIndex brokenIndex = model->indexFromItem(broken);
  EXPECT_TRUE(model->data(goodIndex, Qt::DecorationRole).isNull());
  EXPECT_TRUE(model->data(goodIndex, Qt::ToolTipRole).toString().isEmpty());
  EXPECT_FALSE(model->data(brokenIndex, Qt::DecorationRole).isNull());
  EXPECT_TRUE(model->data(brokenIndex, Qt::ToolTipRole).toString().startsWith(QStringLiteral("docs/gone.html: ")));

  auto* report = child<QTreeWidget>(form.get(), "linkList");
  ASSERT_TRUE(report->isVisible());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(report->window()));
  ASSERT_EQ(report->topLevelItemCount(), 1);
  QTreeWidgetItem* row = report->topLevelItem(0);
  EXPECT_EQ(row->text(0), QStringLiteral("Menu > Gone"));
  clickItem(good);
  // A double click as the mouse gives it: the press of its first click, then the second.
  const QPoint onRow = report->visualItemRect(row).center();
  QTest::mouseClick(report->viewport(), Qt::LeftButton, {}, onRow);
  QTest::mouseDClick(report->viewport(), Qt::LeftButton, {}, onRow);
  EXPECT_EQ(form->currentItem(), broken);

  // Mending the address through the editor takes the mark away and the open report follows.
  urlEdit()->setText(QStringLiteral("index.html"));
  QTest::keyClick(urlEdit(), Qt::Key_Enter);
  EXPECT_TRUE(model->data(model->indexFromItem(broken), Qt::DecorationRole).isNull());
  ASSERT_EQ(report->topLevelItemCount(), 1);
  EXPECT_EQ(report->topLevelItem(0)->text(0), QStringLiteral("All links found"));
  prompts.verifyAllUsed();
}

}  // namespace
}  // namespace corvantel::test
