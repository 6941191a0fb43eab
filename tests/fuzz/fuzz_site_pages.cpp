// Pages and sitemaps of any content, as the import and the insertion read them: the scan of a page gives
// positions inside it in their order, and an import gives one clear error or a tree whose texts keep to
// the menu data format (no line breaks, one tab between caption and address), so that it saves and reads
// back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/document/menu_tree.h"
#include "core/error.h"
#include "core/project/menu_data_file.h"
#include "core/site/navigation_import.h"
#include "core/site/page_markup.h"

namespace {

using corvantel::document::MenuItem;
using corvantel::document::MenuTree;

void checkScan(std::string_view page) {
  const corvantel::site::PageMarkup markup = corvantel::site::scanPage(page);
  const auto inside = [&page](std::size_t at) { return at == corvantel::site::kNotFound || at <= page.size(); };
  if (!inside(markup.headEnd) || !inside(markup.bodyStart) || !inside(markup.bodyOpenEnd)) std::abort();
  if (markup.bodyStart != corvantel::site::kNotFound && markup.bodyOpenEnd <= markup.bodyStart) std::abort();
  std::size_t previousEnd = 0;
  for (const corvantel::site::MarkerPair& pair : markup.markers) {
    if (pair.start < previousEnd || pair.contentStart <= pair.start || pair.contentEnd < pair.contentStart ||
        pair.contentEnd > page.size()) {
      std::abort();
    }
    previousEnd = pair.contentEnd;
  }
}

std::string dump(const MenuTree& tree) {
  std::string out;
  tree.forEach([&out](const MenuItem& item, int depth) {
    const std::string& text = item.text();
    if (text.find_first_of("\r\n") != std::string::npos) std::abort();
    const std::size_t tab = text.find('\t');
    if (tab == std::string::npos || text.find('\t', tab + 1) != std::string::npos) std::abort();
    out += std::to_string(depth);
    out += ':';
    out += text;
    out += '\n';
  });
  return out;
}

void checkImport(std::string_view bytes, bool sitemap) {
  MenuTree tree;
  corvantel::site::ImportReport report;
  try {
    if (sitemap) {
      corvantel::site::importSitemap(bytes, tree, report);
    } else {
      corvantel::site::importPage(bytes, tree, report);
    }
  } catch (const corvantel::Error&) {
    return;
  }
  const std::string before = dump(tree);
  MenuTree back;
  corvantel::project::readMenuData(corvantel::project::menuDataBytes(tree), back);
  if (dump(back) != before) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  checkScan(bytes);
  checkImport(bytes, corvantel::site::looksLikeSitemap(bytes));
  return 0;
}
