// Menu data files of any content: the reader gives a tree or one clear error, and a tree it gives is
// written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/error.h"
#include "core/io/text_codec.h"
#include "core/project/menu_data_file.h"

namespace {

std::string dump(const corvantel::document::MenuTree& tree) {
  std::string out;
  tree.forEach([&out](const corvantel::document::MenuItem& item, int depth) {
    out += std::to_string(depth);
    out += ':';
    out += item.text();
    out += '\n';
  });
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = corvantel::io::decodeFileText(std::string(reinterpret_cast<const char*>(data), size));
  corvantel::document::MenuTree tree;
  try {
    corvantel::project::readMenuData(text, tree);
  } catch (const corvantel::Error&) {
    // The items before the bad line stay; they still make a valid tree.
  }
  // Texts read from lines hold no line breaks, so the round trip is exact.
  const std::string bytes = corvantel::project::menuDataBytes(tree);
  corvantel::document::MenuTree back;
  corvantel::project::readMenuData(bytes, back);
  if (dump(back) != dump(tree)) std::abort();
  return 0;
}
