#pragma once

#include <cstddef>
#include <string>

#include "core/document/menu_tree.h"
#include "core/document/project_settings.h"

namespace corvantel::generator {

// hierArrays.js: the menu tree as array declarations, one per menu, in depth-first, parent-first order.
// The writer keeps the file's lines in a buffer (each line ended with CR LF) and saves it in one piece.
class MenuArrayWriter {
 public:
  // The array text larger than this is refused: the array names grow with the depth, so the text of a very
  // deep tree grows with the square of the depth.
  static constexpr std::size_t kDefaultSizeLimit = std::size_t(512) << 20;

  explicit MenuArrayWriter(const document::ProjectSettings& settings, std::size_t sizeLimit = kDefaultSizeLimit)
      : m_settings(settings), m_sizeLimit(sizeLimit) {}

  // Empties the buffer and fills it with the arrays of the selected menu type.
  void buildArrayText(const document::MenuTree& tree);
  // Appends the declaration of the menu formed by the children of `node`, then those of every menu below it.
  // Works with an explicit stack, so any depth is safe. Throws corvantel::Error when the text outgrows the
  // size limit.
  void writeMenuArray(const document::MenuItem& node, const std::string& arrayName, bool isSubmenu, bool tableMode);

  // The buffer as UTF-8 text.
  const std::string& text() const { return m_buffer; }
  std::size_t lineCount() const { return m_lines; }
  void clear() {
    m_buffer.clear();
    m_lines = 0;
  }
  // The buffer in the encoding the page declares (unencodable characters as \uXXXX escapes).
  std::string encodedText() const;
  // Replaces `path` with the encoded buffer. Throws corvantel::Error("Cannot create file <path>") when the
  // file cannot be made and "Stream write error" when writing it fails.
  void save(const std::string& path) const;

 private:
  void appendLine(std::string_view line);
  std::string parameterRow(bool isSubmenu, bool tableMode) const;

  const document::ProjectSettings& m_settings;
  std::size_t m_sizeLimit;
  std::string m_buffer;
  std::size_t m_lines = 0;
};

// Saves already encoded array bytes the way MenuArrayWriter::save does.
void saveArrayFile(const std::string& path, const std::string& bytes);

}  // namespace corvantel::generator
