// Reading profile files: start-up translates about 50 texts, each a fresh read of the language file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/i18n/translate.h"
#include "core/ini/ini_file.h"
#include "core/io/file_io.h"

namespace {

// A language file of the size the program ships: 120 translations of texts like its own.
std::string languageFile() {
  static const std::string path = [] {
    std::string bytes = "[Language]\r\nLanguage=German\r\nLocalized=Deutsch\r\n\r\n[Translations]\r\n";
    for (int i = 0; i < 120; ++i) {
      bytes += "&Menu text number " + std::to_string(i) + "=&Men\xC3\xBCtext Nummer " + std::to_string(i) + "\r\n";
    }
    char name[] = "/tmp/bench_ini_XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd >= 0) ::close(fd);
    corvantel::io::writeFileAtomic(name, bytes);
    return std::string(name);
  }();
  return path;
}

std::vector<std::string> keysOf(const std::string& path) {
  return corvantel::ini::IniFile::load(path).keys("Translations");
}

// 50 look-ups in a row, each opening and reading the file, as the window translation does.
void BM_Translate50(benchmark::State& state) {
  const std::string path = languageFile();
  std::vector<std::string> keys = keysOf(path);
  keys.resize(std::min<std::size_t>(keys.size(), 50));
  corvantel::i18n::Translator translator(path);
  for (auto _ : state) {
    for (const std::string& key : keys) benchmark::DoNotOptimize(translator.Translate(key));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(keys.size()));
}
BENCHMARK(BM_Translate50)->Unit(benchmark::kMicrosecond);

// A large file (10,000 keys in 100 sections) parsed and searched for its last key.
void BM_LookupInLargeFile(benchmark::State& state) {
  std::string bytes;
  for (int s = 0; s < 100; ++s) {
    bytes += "[Section" + std::to_string(s) + "]\r\n";
    for (int k = 0; k < 100; ++k) bytes += "Key" + std::to_string(k) + "=value " + std::to_string(k) + "\r\n";
  }
  for (auto _ : state) {
    corvantel::ini::IniFile file(bytes);
    benchmark::DoNotOptimize(file.value("Section99", "Key99"));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_LookupInLargeFile)->Unit(benchmark::kMicrosecond);

}  // namespace
