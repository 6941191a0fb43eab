// Putting the menu into 1,000 pages of a site folder (a third of them in subfolders, a tenth declared
// Windows-1252), against reading the same files and replacing each with its own bytes. The first run writes
// every page; a run over pages that already hold the menu only reads them. Goal: 1,000 pages under 2 s.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/document/document.h"
#include "core/io/file_io.h"
#include "core/site/page_insertion.h"

using namespace corvantel;

namespace {

constexpr int kPages = 1000;

struct Site {
  std::filesystem::path root;
  ~Site() {
    std::error_code ec;
    if (!root.empty()) std::filesystem::remove_all(root, ec);
  }
  std::string folder;
  std::string program;
  std::vector<std::string> pages;
  std::vector<std::string> original;
  std::unique_ptr<document::Document> document;
};

Site& site() {
  static Site s;
  if (!s.pages.empty()) return s;
  s.root = std::filesystem::temp_directory_path() / ("corvantel-bench-site-" + std::to_string(::getpid()));
  const std::filesystem::path& root = s.root;
  std::filesystem::create_directories(root / "site" / "a" / "b");
  std::filesystem::create_directories(root / "program" / "data");
  s.folder = (root / "site").string();
  s.program = (root / "program").string();
  for (const char* name : {"hierMenus.js", "HM_Loader.js", "tri.gif", "triL.gif"}) {
    io::writeFileAtomic((root / "program" / "data" / name).string(), std::string(4000, 'x'));
  }
  s.document = std::make_unique<document::Document>();
  s.document->resetToNewProject();
  s.document->settings().menuType = document::MenuType::TableMenu;
  document::MenuTree& tree = s.document->tree();
  for (int i = 0; i < 8; ++i) {
    document::MenuItem* top = tree.append(tree.root(), "Section " + std::to_string(i) + "\ta/page" + std::to_string(i) + ".html", -1);
    for (int j = 0; j < 10; ++j) tree.append(top, "Caf\xC3\xA9 " + std::to_string(j) + "\tpage" + std::to_string(j) + ".html", -1);
  }
  std::string text;
  for (int line = 0; line < 120; ++line) text += "<p>Some paragraph text of the page, line " + std::to_string(line) + ".</p>\n";
  for (int i = 0; i < kPages; ++i) {
    const std::string folder = i % 3 == 0 ? "a/" : (i % 3 == 1 ? "a/b/" : "");
    const std::string charset = i % 10 == 0 ? "windows-1252" : "utf-8";
    const std::string name = folder + "page" + std::to_string(i) + ".html";
    const std::string bytes = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"" + charset +
                              "\">\n<title>Page " + std::to_string(i) + "</title>\n<style>p{margin:0}</style>\n</head>\n<body class=\"page\">\n" +
                              text + "</body>\n</html>\n";
    s.pages.push_back(name);
    s.original.push_back(bytes);
  }
  return s;
}

void resetPages(const Site& s) {
  for (std::size_t i = 0; i < s.pages.size(); ++i) io::writeFileAtomic(io::joinPath(s.folder, s.pages[i]), s.original[i]);
}

void InsertFirstRun(benchmark::State& state) {
  Site& s = site();
  for (auto _ : state) {
    state.PauseTiming();
    resetPages(s);
    state.ResumeTiming();
    site::InsertionReport report = site::insertMenu(*s.document, s.folder, s.pages, s.program);
    if (report.changed.size() != s.pages.size()) state.SkipWithError("not every page changed");
  }
}
BENCHMARK(InsertFirstRun)->Unit(benchmark::kMillisecond)->Iterations(5);

void InsertUnchanged(benchmark::State& state) {
  Site& s = site();
  resetPages(s);
  site::insertMenu(*s.document, s.folder, s.pages, s.program);
  for (auto _ : state) {
    site::InsertionReport report = site::insertMenu(*s.document, s.folder, s.pages, s.program);
    if (report.unchanged.size() != s.pages.size()) state.SkipWithError("a page changed on the second run");
  }
}
BENCHMARK(InsertUnchanged)->Unit(benchmark::kMillisecond)->Iterations(5);

void ReadAndWriteSameBytes(benchmark::State& state) {
  Site& s = site();
  resetPages(s);
  for (auto _ : state) {
    for (const std::string& name : s.pages) {
      const std::string path = io::joinPath(s.folder, name);
      io::writeFileAtomic(path, io::readFile(path).bytes);
    }
  }
}
BENCHMARK(ReadAndWriteSameBytes)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
