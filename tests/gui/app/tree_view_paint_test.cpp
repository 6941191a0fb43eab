#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "core/document/menu_tree.h"
#include "gui/app/menu_tree_view.h"
#include "gui/app/tree_row_painter.h"
#include "gui/document/menu_tree_model.h"

using namespace corvantel;
using namespace corvantel::gui;

namespace {

const QColor kBase(255, 255, 255);
const QColor kHighlight(10, 36, 106);
const QColor kGrey(128, 128, 128);

// Counts the rows the view paints.
class CountingTreeView : public MenuTreeView {
 public:
  mutable int rowsPainted = 0;

 protected:
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    ++rowsPainted;
    MenuTreeView::drawRow(painter, option, index);
  }
};

// Menu > A (a1, a2 > x), B; every item read from a file, so with picture 0, except B (new, none).
struct Fixture {
  document::MenuTree tree;
  document::MenuItem *root, *a, *a1, *a2, *x, *b;
  std::unique_ptr<MenuTreeModel> model;
  std::unique_ptr<CountingTreeView> view;

  Fixture() {
    root = tree.append(nullptr, "Menu\t", 0);
    a = tree.append(root, "Products\t/products.html", 0);
    a1 = tree.append(a, "Tools\t/tools.html", 0);
    a2 = tree.append(a, "Parts\t/parts.html", 0);
    x = tree.append(a2, "Screws\t/screws.html", 0);
    b = tree.append(root, "About\t/about.html", -1);
    model = std::make_unique<MenuTreeModel>(tree);
    view = std::make_unique<CountingTreeView>();
    QPalette pal = view->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
      pal.setColor(group, QPalette::Base, kBase);
      pal.setColor(group, QPalette::Highlight, kHighlight);
      pal.setColor(group, QPalette::HighlightedText, Qt::white);
      pal.setColor(group, QPalette::Text, Qt::black);
    }
    view->setPalette(pal);
    view->setMenuModel(model.get());
    view->resize(320, 240);
    view->expandAll();
    view->show();
    QApplication::processEvents();
  }

  QImage render() const {
    QImage img(view->viewport()->size(), QImage::Format_RGB32);
    img.fill(Qt::magenta);
    view->viewport()->render(&img);
    return img;
  }
  QRect rowOf(const document::MenuItem* item) const { return view->visualRect(model->indexFromItem(item)); }
  static int cyOf(const QRect& r) { return r.top() + r.height() / 2; }
};

}  // namespace

TEST(TreeViewPaint, DrawsLinesBoxesAndTheAncestorColumn) {
  Fixture f;
  const QImage img = f.render();
  const QRect rowA = f.rowOf(f.a);
  const int cyA = Fixture::cyOf(rowA);
  ASSERT_GE(rowA.height(), 18);

  // A (level 1, expanded, has a next sibling B): box 24..31, connector 32..41, minus, no upright.
  EXPECT_EQ(img.pixelColor(24, cyA), kGrey);
  EXPECT_EQ(img.pixelColor(31, cyA), kGrey);
  EXPECT_EQ(img.pixelColor(25, cyA - 3), kBase);
  EXPECT_EQ(img.pixelColor(35, cyA), kGrey);
  EXPECT_EQ(img.pixelColor(28, cyA - 2), kBase);
  // The root's column (x 9) carries nothing in A's row: the root has no next sibling.
  EXPECT_EQ(img.pixelColor(9, rowA.top() + 1), kBase);
  // A's line down continues through its children's rows to B.
  const QRect rowX = f.rowOf(f.x);
  EXPECT_EQ(img.pixelColor(28, rowX.top()), kGrey);
  EXPECT_EQ(img.pixelColor(28, rowX.bottom()), kGrey);
  // a2 is a last child: its column (x 47) is empty in x's row below the top.
  EXPECT_EQ(img.pixelColor(47, rowX.bottom()), kBase);
  // x (level 3, leaf): its line up at 66 from its row's top to the middle, connector 66..79.
  EXPECT_EQ(img.pixelColor(66, rowX.top()), kGrey);
  EXPECT_EQ(img.pixelColor(70, Fixture::cyOf(rowX)), kGrey);
  // The root's own stroke above its box.
  EXPECT_EQ(img.pixelColor(9, f.rowOf(f.root).top()), kGrey);
  // Below the last row, the tree's background.
  EXPECT_EQ(img.pixelColor(100, img.height() - 1), kBase);
}

TEST(TreeViewPaint, SelectedRowFillsTheFullWidth) {
  Fixture f;
  f.view->selectItem(f.a1);
  f.view->clearFocus();  // the selection stays visible without the focus
  const QImage img = f.render();
  const QRect row = f.rowOf(f.a1);
  EXPECT_EQ(img.pixelColor(0, row.top()), kHighlight);
  EXPECT_EQ(img.pixelColor(img.width() - 1, row.bottom()), kHighlight);
  EXPECT_EQ(img.pixelColor(28, row.top()), kGrey);  // A's column runs through it
  EXPECT_EQ(img.pixelColor(0, f.rowOf(f.a2).top()), kBase);
}

TEST(TreeViewPaint, AddressNeverShowsAndTextChangesRepaint) {
  Fixture f;
  const QImage withAddress = f.render();
  f.tree.setText(f.a, "Products\t");
  QApplication::processEvents();
  EXPECT_EQ(f.render(), withAddress);
  f.tree.setText(f.a, "Services\t/products.html");
  QApplication::processEvents();
  EXPECT_NE(f.render(), withAddress);
}

TEST(TreeViewPaint, ClickOnTheBoxCollapsesAndThePlusShows) {
  Fixture f;
  QSignalSpy toggled(f.view.get(), &MenuTreeView::expandedOrCollapsed);
  const int cyA = Fixture::cyOf(f.rowOf(f.a));
  QTest::mouseClick(f.view->viewport(), Qt::LeftButton, {}, QPoint(28, cyA));
  QApplication::processEvents();
  EXPECT_FALSE(f.view->isExpanded(f.model->indexFromItem(f.a)));
  EXPECT_EQ(toggled.count(), 1);
  const QImage img = f.render();
  EXPECT_EQ(img.pixelColor(28, cyA - 2), kGrey);  // the plus's upright
  // A's children are gone; B follows A directly.
  EXPECT_EQ(f.rowOf(f.b).top(), f.rowOf(f.a).bottom() + 1);
}

TEST(TreeViewPaint, ButtonHalfSizeSizesTheBoxAndMovesTheCaption) {
  Fixture f;
  const int cyA = Fixture::cyOf(f.rowOf(f.a));
  EXPECT_EQ(f.view->buttonHalfSize(), MenuTreeView::kDefaultButtonHalfSize);
  f.view->setButtonHalfSize(6);
  QApplication::processEvents();
  const QImage img = f.render();
  EXPECT_EQ(img.pixelColor(22, cyA), kGrey);  // box 22..33
  EXPECT_EQ(img.pixelColor(33, cyA - 3), kGrey);
  EXPECT_EQ(img.pixelColor(43, cyA), kGrey);  // connector now ends at 44
  EXPECT_EQ(img.pixelColor(44, cyA), kBase);
}

TEST(TreeViewPaint, PaintsOnlyTheVisibleRowsOfALargeTree) {
  document::MenuTree tree;
  document::MenuItem* root = tree.append(nullptr, "Menu\t", 0);
  for (int m = 0; m < 200; ++m) {
    document::MenuItem* menu = tree.append(root, "Menu " + std::to_string(m) + "\t", 0);
    for (int i = 0; i < 99; ++i) tree.append(menu, "Item\t", 0);
  }
  MenuTreeModel model(tree);
  CountingTreeView view;
  view.setMenuModel(&model);
  view.resize(320, 240);
  view.expandAll();
  view.show();
  QApplication::processEvents();

  const int rowHeight = view.visualRect(model.indexFromItem(root)).height();
  const int visibleRows = view.viewport()->height() / rowHeight + 2;
  QImage img(view.viewport()->size(), QImage::Format_RGB32);
  view.rowsPainted = 0;
  view.viewport()->render(&img);
  EXPECT_GT(view.rowsPainted, 0);
  EXPECT_LE(view.rowsPainted, visibleRows);

  view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
  QApplication::processEvents();
  view.rowsPainted = 0;
  view.viewport()->render(&img);
  EXPECT_GT(view.rowsPainted, 0);
  EXPECT_LE(view.rowsPainted, visibleRows);
}

// A dark palette: the lines take the colour half way between its text and its background, so they show.
TEST(TreeViewPaint, DarkPaletteLinesFollowThePalette) {
  Fixture f;
  QPalette pal = f.view->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    pal.setColor(group, QPalette::Base, QColor(35, 35, 35));
    pal.setColor(group, QPalette::Text, QColor(255, 255, 255));
  }
  f.view->setPalette(pal);
  QApplication::processEvents();
  const QImage img = f.render();
  const int cyA = Fixture::cyOf(f.rowOf(f.a));
  EXPECT_EQ(img.pixelColor(35, cyA), QColor(145, 145, 145));
  EXPECT_EQ(img.pixelColor(24, cyA), QColor(145, 145, 145));  // the box outline
  EXPECT_EQ(img.pixelColor(25, cyA - 3), QColor(35, 35, 35));
}
