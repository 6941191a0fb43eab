// The link check of a 10,000-item menu against a site folder of 100 folders with 100 pages each, one
// address in ten missing or with a scheme; against the stat() of every address's file.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/document/menu_tree.h"
#include "core/site/link_check.h"

namespace {

using namespace corvantel;

std::string siteFolder() {
  static const std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvantel-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    std::atexit([] { std::filesystem::remove_all(siteFolder()); });
    for (int f = 0; f < 100; ++f) {
      const std::string sub = pattern + "/section" + std::to_string(f);
      std::filesystem::create_directory(sub);
      for (int p = 0; p < 100; ++p) std::ofstream(sub + "/page" + std::to_string(p) + ".html") << "x";
    }
    return pattern;
  }();
  return folder;
}

std::string addressOf(int i) {
  const std::string page = "section" + std::to_string(i / 100) + "/page" + std::to_string(i % 100);
  switch (i % 10) {
    case 3: return page + "-missing.html";
    case 7: return "https://example.org/" + page + ".html";
    case 8: return "/" + page + ".html#part";
    default: return page + ".html";
  }
}

void fillTree(document::MenuTree& tree, int count) {
  document::MenuItem* root = tree.append(nullptr, "Menu\t", 0);
  document::MenuItem* menu = root;
  for (int i = 0; i < count; ++i) {
    if (i % 100 == 0) menu = tree.append(root, "Section\t" + addressOf(i), -1);
    else tree.append(menu, "Page\t" + addressOf(i), -1);
  }
}

void BM_CheckLinks(benchmark::State& state) {
  const std::string site = siteFolder();
  document::MenuTree tree;
  fillTree(tree, static_cast<int>(state.range(0)));
  std::size_t broken = 0;
  for (auto _ : state) {
    broken = site::checkLinks(tree, site).size();
    benchmark::DoNotOptimize(broken);
  }
  state.counters["broken"] = static_cast<double>(broken);
}
BENCHMARK(BM_CheckLinks)->Arg(10000)->Unit(benchmark::kMillisecond);

// The floor: one stat() per address, no parsing and no listing.
void BM_StatEveryAddress(benchmark::State& state) {
  const std::string site = siteFolder();
  std::vector<std::string> paths;
  for (int i = 0; i < state.range(0); ++i) paths.push_back(site + "/section" + std::to_string(i / 100) + "/page" + std::to_string(i % 100) + ".html");
  for (auto _ : state) {
    int found = 0;
    struct stat info {};
    for (const std::string& path : paths) found += ::stat(path.c_str(), &info) == 0;
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_StatEveryAddress)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
