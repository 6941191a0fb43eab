// Remove of a menu with a subtree of 100,000 items through the main window, and its undo: the
// confirmation, the history step, the tree model's signals, the view and a repaint, as the author
// waits for them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QUndoStack>
#include <string>

#include "gui/app/main_window.h"
#include "gui/app/menu_tree_view.h"
#include "gui/app/user_prompts.h"

namespace {

QApplication& application() {
  static int argc = 1;
  static char name[] = "bench_edit_undo_gui";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

// Every question answered OK, as the author confirming the delete.
class ConfirmingPrompts : public corvantel::gui::UserPrompts {
 public:
  Answer askYesNoCancel(QWidget*, const QString&) override { return Answer::No; }
  bool confirmOkCancel(QWidget*, const QString&, int) override { return true; }
  void warning(QWidget*, const QString&) override {}
  void error(QWidget*, const QString&) override {}
  QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
  QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
  std::optional<QString> inputText(QWidget*, const QString&, const QString&) override { return std::nullopt; }
  int execDialog(QDialog*) override { return 0; }
};

struct Window {
  Window() {
    application();
    corvantel::gui::setPrompts(&prompts);
    corvantel::gui::StartOptions options;
    options.programFolder = folder.path().toStdString() + "/";
    form = std::make_unique<corvantel::gui::MainWindow>(options);
    form->resize(800, 600);
    form->show();
    QApplication::processEvents();
    // The root, a small menu, and the big one: 1,000 items of 99 items each, 100,000 in its subtree.
    auto& tree = form->document().tree();
    tree.append(tree.root(), "Home\tindex.html", -1);
    big = tree.append(tree.root(), "Products\tproducts.html", -1);
    for (int i = 0; i < 1000; ++i) {
      corvantel::document::MenuItem* item = tree.append(big, "Item " + std::to_string(i) + "\titem.html", -1);
      for (int k = 0; k < 99; ++k) tree.append(item, "Sub " + std::to_string(k) + "\tsub.html", -1);
    }
    view()->expandAll();  // the big menu's items are on show, as while the author works in it
    view()->selectItem(big);
  }
  ~Window() {
    form->document().setModified(false);
    form.reset();
    corvantel::gui::setPrompts(nullptr);
  }
  corvantel::gui::MenuTreeView* view() {
    return form->findChild<corvantel::gui::MenuTreeView*>(QStringLiteral("treeView"));
  }
  void settle() {
    QApplication::processEvents();
    view()->viewport()->repaint();
  }

  QTemporaryDir folder;
  ConfirmingPrompts prompts;
  std::unique_ptr<corvantel::gui::MainWindow> form;
  corvantel::document::MenuItem* big = nullptr;
};

void BM_RemoveSubtreeInWindow(benchmark::State& state) {
  Window w;
  for (auto _ : state) {
    w.form->removeSelected();
    w.settle();
    state.PauseTiming();
    w.form->undo();
    w.settle();
    state.ResumeTiming();
  }
  if (w.form->document().tree().root()->child(1) != w.big) state.SkipWithError("the subtree did not come back");
}

void BM_UndoRemoveSubtreeInWindow(benchmark::State& state) {
  Window w;
  for (auto _ : state) {
    state.PauseTiming();
    w.form->removeSelected();
    w.settle();
    state.ResumeTiming();
    w.form->undo();
    w.settle();
  }
  if (w.form->undoStack()->index() != 0 || w.form->document().tree().itemCount() != 100003) {
    state.SkipWithError("the undo did not restore the tree");
  }
}

BENCHMARK(BM_RemoveSubtreeInWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRemoveSubtreeInWindow)->Unit(benchmark::kMillisecond);

}  // namespace
