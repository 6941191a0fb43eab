// Generation of the page and the menu arrays, in memory and to disk, for trees of 1,000 to 100,000 items.
// Compare SaveArrays (encode the buffer and replace the file) with WriteSameBytes (replace the file with the
// same, already encoded bytes in one call): the array file should cost at most twice the plain write.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "core/document/document.h"
#include "core/generator/generation_run.h"
#include "core/generator/menu_array_writer.h"
#include "core/generator/menu_page_writer.h"
#include "core/io/file_io.h"

using namespace corvantel;

namespace {

// A document with `items` menu items below the root, ten children per item, filled level by level; every
// tenth item of the top level has a long caption with accents, so the encoder has work to do.
document::Document& documentWith(int items, document::MenuType type) {
  static std::map<std::pair<int, document::MenuType>, std::unique_ptr<document::Document>> cache;
  auto& slot = cache[{items, type}];
  if (!slot) {
    slot = std::make_unique<document::Document>();
    slot->resetToNewProject();
    slot->settings().menuType = type;
    document::MenuTree& tree = slot->tree();
    std::vector<document::MenuItem*> parents{tree.root()};
    std::size_t next = 0;
    for (int i = 0; i < items; ++i) {
      document::MenuItem* parent = parents[next];
      const std::string caption = (i % 10 == 0 ? "Caf\xC3\xA9 \"special\" " : "Item ") + std::to_string(i);
      parents.push_back(tree.append(parent, caption + "\tpages/item" + std::to_string(i) + ".html", -1));
      if (parent->childCount() == 10) ++next;
    }
  }
  return *slot;
}

std::string scratchFolder() {
  static std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvantel-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    std::string program = pattern + "/program";
    mkdir(program.c_str(), 0755);
    mkdir((program + "/data").c_str(), 0755);
    for (const auto& name : generator::supportFileNames()) io::writeFileAtomic(program + "/data/" + name, std::string(20000, 'x'));
    mkdir((pattern + "/out").c_str(), 0755);
    return pattern;
  }();
  return folder;
}

void BM_BuildPage(benchmark::State& state) {
  const document::Document& d = documentWith(static_cast<int>(state.range(0)), document::MenuType::TableMenu);
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string page = generator::buildMenuPage(d.settings(), d.tree());
    bytes = page.size();
    benchmark::DoNotOptimize(page.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_BuildArrays(benchmark::State& state) {
  const document::Document& d = documentWith(static_cast<int>(state.range(0)), document::MenuType::JSMenu);
  std::size_t bytes = 0;
  for (auto _ : state) {
    generator::MenuArrayWriter w(d.settings());
    w.buildArrayText(d.tree());
    std::string encoded = w.encodedText();
    bytes = encoded.size();
    benchmark::DoNotOptimize(encoded.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_SaveArrays(benchmark::State& state) {
  const document::Document& d = documentWith(static_cast<int>(state.range(0)), document::MenuType::JSMenu);
  generator::MenuArrayWriter w(d.settings());
  w.buildArrayText(d.tree());
  const std::string path = scratchFolder() + "/out/hierArrays.js";
  for (auto _ : state) w.save(path);
}

void BM_WriteSameBytes(benchmark::State& state) {
  const document::Document& d = documentWith(static_cast<int>(state.range(0)), document::MenuType::JSMenu);
  generator::MenuArrayWriter w(d.settings());
  w.buildArrayText(d.tree());
  const std::string bytes = w.encodedText();
  const std::string path = scratchFolder() + "/out/plain.js";
  for (auto _ : state) io::writeFileAtomic(path, bytes);
}

void BM_GenerationRun(benchmark::State& state) {
  const document::Document& d = documentWith(static_cast<int>(state.range(0)), document::MenuType::TableMenu);
  const std::string folder = scratchFolder();
  for (auto _ : state) {
    generator::GenerationReport report = generator::generateFiles(d, folder + "/out", folder + "/program/");
    benchmark::DoNotOptimize(report.written.data());
  }
}

}  // namespace

BENCHMARK(BM_BuildPage)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildArrays)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveArrays)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteSameBytes)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerationRun)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
