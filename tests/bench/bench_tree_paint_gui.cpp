// Painting the item tree: one screen of a 100,000-item tree, at the top, in the middle, while scrolling,
// at the end of a 5,000-level chain, and the row drawing of a row 100,000 levels deep; a 100-item tree
// for comparison.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <memory>
#include <string>

#include "core/document/menu_tree.h"
#include "core/tree/tree_row_drawing.h"
#include "gui/app/menu_tree_view.h"
#include "gui/document/menu_tree_model.h"

using namespace corvantel;
using namespace corvantel::gui;

namespace {

QApplication& app() {
  static int argc = 1;
  static char name[] = "bench_tree_paint_gui";
  static char* argv[] = {name, nullptr};
  static QApplication* instance = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *instance;
}

// A tree of `menus` top-level menus under the root, each with `items` items; every item read from a
// file (picture 0). Each benchmark keeps its tree on the heap to the end of the run: destroying widgets
// from a static destructor, after Qt's own statics are gone, crashes at exit.
struct WideTree {
  document::MenuTree tree;
  std::unique_ptr<MenuTreeModel> model;
  std::unique_ptr<MenuTreeView> view;
  QImage screen;

  WideTree(int menus, int items) {
    app();
    document::MenuItem* root = tree.append(nullptr, "Menu\t", 0);
    for (int m = 0; m < menus; ++m) {
      document::MenuItem* menu = tree.append(root, "Menu " + std::to_string(m) + "\t/menu" + std::to_string(m) + ".html", 0);
      for (int i = 0; i < items; ++i) tree.append(menu, "Item " + std::to_string(i) + "\t/item.html", 0);
    }
    finish();
  }
  explicit WideTree(int depth) {
    app();
    document::MenuItem* p = tree.append(nullptr, "Menu\t", 0);
    for (int d = 1; d < depth; ++d) p = tree.append(p, "Level " + std::to_string(d) + "\t", 0);
    finish();
  }
  void finish() {
    model = std::make_unique<MenuTreeModel>(tree);
    view = std::make_unique<MenuTreeView>();
    view->setMenuModel(model.get());
    view->resize(376, 420);  // the main window's tree at its start size
    view->expandAll();
    view->show();
    QApplication::processEvents();
    screen = QImage(view->viewport()->size(), QImage::Format_RGB32);
  }
  void paint() { view->viewport()->render(&screen); }
};

void BM_PaintScreen100kTop(benchmark::State& state) {
  static WideTree& t = *new WideTree(1000, 99);  // 1 + 1000 + 99,000 items
  t.view->verticalScrollBar()->setValue(0);
  for (auto _ : state) {
    t.paint();
    benchmark::DoNotOptimize(t.screen.constBits());
  }
  state.counters["items"] = static_cast<double>(t.tree.itemCount());
}
BENCHMARK(BM_PaintScreen100kTop)->Unit(benchmark::kMicrosecond);

void BM_PaintScreen100kMiddle(benchmark::State& state) {
  static WideTree& t = *new WideTree(1000, 99);
  t.view->verticalScrollBar()->setValue(t.view->verticalScrollBar()->maximum() / 2);
  for (auto _ : state) {
    t.paint();
    benchmark::DoNotOptimize(t.screen.constBits());
  }
}
BENCHMARK(BM_PaintScreen100kMiddle)->Unit(benchmark::kMicrosecond);

// Scroll by one page and paint the new screen, through the whole 100,000 rows.
void BM_ScrollPage100k(benchmark::State& state) {
  static WideTree& t = *new WideTree(1000, 99);
  QScrollBar* bar = t.view->verticalScrollBar();
  for (auto _ : state) {
    int next = bar->value() + bar->pageStep();
    bar->setValue(next > bar->maximum() ? 0 : next);
    t.paint();
    benchmark::DoNotOptimize(t.screen.constBits());
  }
}
BENCHMARK(BM_ScrollPage100k)->Unit(benchmark::kMicrosecond);

// A chain 5,000 levels deep, scrolled to its end: every visible row walks its 5,000 ancestors.
void BM_PaintScreenDeepChainEnd(benchmark::State& state) {
  static WideTree& t = *new WideTree(5000);
  t.view->verticalScrollBar()->setValue(t.view->verticalScrollBar()->maximum());
  for (auto _ : state) {
    t.paint();
    benchmark::DoNotOptimize(t.screen.constBits());
  }
}
BENCHMARK(BM_PaintScreenDeepChainEnd)->Unit(benchmark::kMicrosecond);

void BM_PaintScreenSmallTree(benchmark::State& state) {
  static WideTree& t = *new WideTree(10, 9);  // 101 items
  for (auto _ : state) {
    t.paint();
    benchmark::DoNotOptimize(t.screen.constBits());
  }
}
BENCHMARK(BM_PaintScreenSmallTree)->Unit(benchmark::kMicrosecond);

// The row drawing alone for a row 100,000 levels deep, clipped to a screen's width.
void BM_DeepRowGeometry(benchmark::State& state) {
  const int depth = 100000;
  std::vector<std::uint8_t> ancestors(depth, 1);
  tree::TreeRowInput in;
  in.level = depth;
  in.top = 0;
  in.bottom = 18;
  in.left = -(depth * 19) + 200;
  in.ancestorHasNextSibling = ancestors;
  in.clipLeft = 0;
  in.clipRight = 375;
  tree::TreeRowGeometry g;
  for (auto _ : state) {
    tree::computeTreeRow(in, g);
    benchmark::DoNotOptimize(g.lines.data());
  }
}
BENCHMARK(BM_DeepRowGeometry);

}  // namespace
