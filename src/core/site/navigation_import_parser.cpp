#include "core/site/navigation_import_parser.h"

#include <cstdlib>
#include <new>
#include <vector>

#include "core/error.h"
#include "core/site/navigation_import_depth.h"

namespace corvantel::site {

// Gumbo's own teardown recurses over the tree, which a deeply nested page would overflow. Its nodes are
// taken from this arena instead, which lets go of all of them at once without walking the tree.
class ParsedPage::Arena {
 public:
  Arena() = default;
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;
  ~Arena() {
    for (void* block : m_blocks) std::free(block);
  }

  static void* allocate(void* self, std::size_t size) { return static_cast<Arena*>(self)->take(size); }
  static void release(void*, void*) {}

 private:
  static constexpr std::size_t kChunk = 256 * 1024;
  static constexpr std::size_t kAlign = alignof(std::max_align_t);

  void* take(std::size_t size) {
    size = (size + kAlign - 1) / kAlign * kAlign;
    if (size == 0) size = kAlign;
    if (size > kChunk / 4) return keep(std::malloc(size));
    if (m_free < size) {
      m_next = static_cast<char*>(keep(std::malloc(kChunk)));
      m_free = kChunk;
    }
    void* out = m_next;
    m_next += size;
    m_free -= size;
    return out;
  }
  void* keep(void* block) {
    if (!block) throw std::bad_alloc();
    m_blocks.push_back(block);
    return block;
  }

  std::vector<void*> m_blocks;
  char* m_next = nullptr;
  std::size_t m_free = 0;
};

ParsedPage::ParsedPage(std::string_view utf8) : m_text(utf8), m_arena(std::make_unique<Arena>()) {
  if (estimatedNestingDepth(m_text, kMaxImportNesting) > kMaxImportNesting) {
    throw Error(fillMessage("The file nests its elements more than %s levels deep; it cannot be imported",
                            std::to_string(kMaxImportNesting)));
  }
  GumboOptions options = kGumboDefaultOptions;
  options.allocator = &Arena::allocate;
  options.deallocator = &Arena::release;
  options.userdata = m_arena.get();
  options.max_errors = 0;
  m_output = gumbo_parse_with_options(&options, m_text.data(), m_text.size());
}

// Nothing to destroy node by node: the arena frees every block.
ParsedPage::~ParsedPage() = default;

}  // namespace corvantel::site
