// Open and save of projects of 1,000, 10,000 and 100,000 items, against the cost of the same bytes
// split into lines (reading) and written with one call (writing); Remove of a 100,000-item menu, its
// undo, and the freeing of the subtree the history kept.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/document.h"
#include "core/document/edit_history.h"
#include "core/io/file_io.h"
#include "core/io/text_codec.h"
#include "core/project/menu_data_file.h"
#include "core/project/project_files.h"

namespace {

using namespace corvantel;
using corvantel::document::Document;
using corvantel::document::MenuItem;
using corvantel::document::MenuTree;

std::string benchFolder() {
  static const std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvantel-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    std::atexit([] { std::filesystem::remove_all(benchFolder()); });
    return pattern;
  }();
  return folder;
}

// A menu of `count` items: top-level menus of 10 items, each with a submenu of 9 items, addresses and
// captions of ordinary length.
void fillTree(document::MenuTree& tree, int count) {
  document::MenuItem* root = tree.append(nullptr, "Menu\t", 0);
  int made = 1;
  for (int m = 0; made < count; ++m) {
    document::MenuItem* menu = tree.append(root, "Menu " + std::to_string(m) + "\tsection" + std::to_string(m) + ".html", -1);
    ++made;
    for (int i = 0; i < 10 && made < count; ++i, ++made) {
      document::MenuItem* item = tree.append(menu, "Item " + std::to_string(i) + "\tpage" + std::to_string(i) + ".html", -1);
      for (int k = 0; k < 9 && made + 1 < count; ++k, ++made) {
        tree.append(item, "Sub item " + std::to_string(k) + "\thttp://example.org/a/b/" + std::to_string(k), -1);
      }
    }
  }
}

const std::string& menuBytes(int count) {
  static std::vector<std::pair<int, std::string>> cache;
  for (const auto& [n, bytes] : cache) {
    if (n == count) return bytes;
  }
  document::MenuTree tree;
  fillTree(tree, count);
  cache.emplace_back(count, corvantel::project::menuDataBytes(tree));
  return cache.back().second;
}

void setItems(benchmark::State& state, std::size_t bytes) {
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// Reading: the bytes of a menu data file into a tree (encoding check included).
void BM_ReadMenuData(benchmark::State& state) {
  const std::string& bytes = menuBytes(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    document::MenuTree tree;
    corvantel::project::readMenuDataBytes(bytes, tree);
    benchmark::DoNotOptimize(tree.root());
  }
  setItems(state, bytes.size());
}

// The yardstick of reading: the same bytes split into lines, each line its own string.
void BM_SplitLines(benchmark::State& state) {
  const std::string& bytes = menuBytes(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::vector<std::string> lines;
    std::string_view text(bytes);
    std::size_t pos = 0;
    while (pos < text.size()) {
      std::size_t end = pos;
      while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
      lines.emplace_back(text.substr(pos, end - pos));
      pos = end;
      if (pos < text.size()) pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
    }
    benchmark::DoNotOptimize(lines.data());
  }
  setItems(state, bytes.size());
}

// Writing: the tree to its menu data file (text made, then the file replaced atomically).
void BM_WriteMenuData(benchmark::State& state) {
  document::MenuTree tree;
  fillTree(tree, static_cast<int>(state.range(0)));
  const std::string path = benchFolder() + "/write.cvd";
  for (auto _ : state) corvantel::project::writeMenuDataFile(path, tree);
  setItems(state, menuBytes(static_cast<int>(state.range(0))).size());
}

// The text of the menu data file alone, without the file.
void BM_MenuDataText(benchmark::State& state) {
  document::MenuTree tree;
  fillTree(tree, static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(corvantel::project::menuDataBytes(tree));
  setItems(state, menuBytes(static_cast<int>(state.range(0))).size());
}

// The yardstick of writing: the same bytes written with one call of the same atomic file write.
void BM_WriteBytesOneCall(benchmark::State& state) {
  const std::string& bytes = menuBytes(static_cast<int>(state.range(0)));
  const std::string path = benchFolder() + "/plain.cvd";
  for (auto _ : state) corvantel::io::writeFileAtomic(path, bytes);
  setItems(state, bytes.size());
}

// The whole project: both files.
void BM_SaveProject(benchmark::State& state) {
  document::Document doc;
  fillTree(doc.tree(), static_cast<int>(state.range(0)));
  const std::string path = benchFolder() + "/save.cvp";
  for (auto _ : state) corvantel::project::saveProjectFiles(doc, path);
  setItems(state, menuBytes(static_cast<int>(state.range(0))).size());
}

void BM_OpenProject(benchmark::State& state) {
  document::Document saved;
  fillTree(saved.tree(), static_cast<int>(state.range(0)));
  const std::string path = benchFolder() + "/open" + std::to_string(state.range(0)) + ".cvp";
  corvantel::project::saveProjectFiles(saved, path);
  for (auto _ : state) {
    document::Document doc;
    corvantel::project::openProjectFiles(doc, path);
    benchmark::DoNotOptimize(doc.tree().root());
  }
  setItems(state, menuBytes(static_cast<int>(state.range(0))).size());
}

// A document whose root holds one menu with a subtree of `count` items below it: laid out as fillTree
// lays out a project (range(1) == 0), or as one chain `count` levels deep (range(1) == 1).
document::MenuItem* addBigMenu(Document& doc, int count, bool chain) {
  doc.resetToNewProject();
  document::MenuItem* big = doc.tree().append(doc.tree().root(), "Big\tbig.html", -1);
  if (chain) {
    document::MenuItem* item = big;
    for (int i = 0; i < count; ++i) item = doc.tree().append(item, "Level\tlevel.html", -1);
  } else {
    MenuTree made;
    fillTree(made, count);
    while (made.root()->hasChildren()) {
      doc.tree().insert(big, big->childCount(), made.detach(made.root()->child(0)));
    }
  }
  return big;
}

// Remove of a menu with its subtree of 100,000 items, as the edit history does it.
void BM_RemoveSubtree(benchmark::State& state) {
  Document doc;
  document::MenuItem* big = addBigMenu(doc, static_cast<int>(state.range(0)), state.range(1) != 0);
  document::EditHistory history(doc);
  for (auto _ : state) {
    history.push(document::makeRemove(doc, big));
    state.PauseTiming();
    history.undo();
    state.ResumeTiming();
  }
}

// Its undo: the whole subtree back at its place.
void BM_UndoRemoveSubtree(benchmark::State& state) {
  Document doc;
  document::MenuItem* big = addBigMenu(doc, static_cast<int>(state.range(0)), state.range(1) != 0);
  document::EditHistory history(doc);
  for (auto _ : state) {
    state.PauseTiming();
    history.push(document::makeRemove(doc, big));
    state.ResumeTiming();
    history.undo();
  }
}

// Clearing the history after such a Remove (New, Open) frees the subtree the operation kept.
void BM_ClearHistoryFreesSubtree(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    Document doc;
    document::MenuItem* big = addBigMenu(doc, static_cast<int>(state.range(0)), state.range(1) != 0);
    document::EditHistory history(doc);
    history.push(document::makeRemove(doc, big));
    state.ResumeTiming();
    history.clear();
    state.PauseTiming();
    doc.tree().clear();
    state.ResumeTiming();
  }
}

#define EDIT_SIZES Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_RemoveSubtree)->EDIT_SIZES;
BENCHMARK(BM_UndoRemoveSubtree)->EDIT_SIZES;
BENCHMARK(BM_ClearHistoryFreesSubtree)->EDIT_SIZES;

#define PROJECT_SIZES Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_ReadMenuData)->PROJECT_SIZES;
BENCHMARK(BM_SplitLines)->PROJECT_SIZES;
BENCHMARK(BM_WriteMenuData)->PROJECT_SIZES;
BENCHMARK(BM_MenuDataText)->PROJECT_SIZES;
BENCHMARK(BM_WriteBytesOneCall)->PROJECT_SIZES;
BENCHMARK(BM_SaveProject)->PROJECT_SIZES;
BENCHMARK(BM_OpenProject)->PROJECT_SIZES;

}  // namespace
