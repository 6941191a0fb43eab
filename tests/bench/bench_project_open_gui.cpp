// Opening a large project in the main window: reading both files, the tree model's reset and the first
// paint of the window, as the author waits for it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "core/document/document.h"
#include "core/project/project_files.h"
#include "gui/app/main_window.h"
#include "gui/app/menu_tree_view.h"

namespace {

QApplication& application() {
  static int argc = 1;
  static char name[] = "bench_project_open_gui";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

// Menus of 10 items, each with a submenu of 9 items.
void fillTree(corvantel::document::MenuTree& tree, int count) {
  corvantel::document::MenuItem* root = tree.append(nullptr, "Menu\t", 0);
  int made = 1;
  for (int m = 0; made < count; ++m) {
    corvantel::document::MenuItem* menu = tree.append(root, "Menu " + std::to_string(m) + "\tsection.html", -1);
    ++made;
    for (int i = 0; i < 10 && made < count; ++i, ++made) {
      corvantel::document::MenuItem* item = tree.append(menu, "Item " + std::to_string(i) + "\tpage.html", -1);
      for (int k = 0; k < 9 && made + 1 < count; ++k, ++made) {
        tree.append(item, "Sub item " + std::to_string(k) + "\thttp://example.org/" + std::to_string(k), -1);
      }
    }
  }
}

void BM_OpenProjectInWindow(benchmark::State& state) {
  application();
  QTemporaryDir folder;
  const std::string path = folder.filePath(QStringLiteral("big.cvp")).toStdString();
  {
    corvantel::document::Document doc;
    fillTree(doc.tree(), static_cast<int>(state.range(0)));
    corvantel::project::saveProjectFiles(doc, path);
  }
  corvantel::gui::StartOptions options;
  options.programFolder = folder.path().toStdString() + "/";
  corvantel::gui::MainWindow form(options);
  form.resize(800, 600);
  form.show();
  QApplication::processEvents();
  for (auto _ : state) {
    form.readProjectFiles(path);
    QApplication::processEvents();
    form.findChild<corvantel::gui::MenuTreeView*>(QStringLiteral("treeView"))->viewport()->repaint();
    form.repaint();
    benchmark::DoNotOptimize(form.document().tree().root());
  }
  form.document().setModified(false);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_OpenProjectInWindow)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
