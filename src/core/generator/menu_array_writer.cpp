#include "core/generator/menu_array_writer.h"

#include <cerrno>
#include <vector>

#include "core/error.h"
#include "core/generator/generator_text.h"
#include "core/generator/output_encoding.h"
#include "core/io/file_io.h"

namespace corvantel::generator {

namespace {

std::string colorList(const document::ProjectSettings& s) {
  std::string list;
  for (document::Color c : {s.fontColor, s.fontColorOver, s.bgColor, s.bgColorOver, s.borderColor, s.separatorColor}) {
    list += ", \"#" + colorToHex(c) + "\"";
  }
  return list;
}

}  // namespace

void MenuArrayWriter::appendLine(std::string_view line) {
  if (m_buffer.size() + line.size() + 2 > m_sizeLimit) {
    throw Error(fillMessage("The menu tree is too large to be written: the menu arrays would exceed %s MB",
                            std::to_string(m_sizeLimit >> 20)));
  }
  m_buffer.append(line);
  m_buffer += "\r\n";
  ++m_lines;
}

std::string MenuArrayWriter::parameterRow(bool isSubmenu, bool tableMode) const {
  const document::ProjectSettings& s = m_settings;
  const std::string width = std::to_string(s.menuWidth);
  if (isSubmenu) return "[],";
  if (tableMode) {
    if (s.menuType == document::MenuType::TableRelative) return "[" + width + "],";
    return "[" + width + ", 10, 10" + colorList(s) + ", 0, 0, 0, 1, 1, 1, \"null\", \"null\",],";
  }
  return "[" + width + ", " + std::to_string(s.xPos) + ", " + std::to_string(s.yPos) + colorList(s) +
         ", 1, 1, 0, 1, 0, 1, \"null\", \"null\",],";
}

void MenuArrayWriter::writeMenuArray(const document::MenuItem& node, const std::string& arrayName, bool isSubmenu,
                                     bool tableMode) {
  struct Pending {
    const document::MenuItem* node;
    std::string name;
    bool isSubmenu;
  };
  // Taking the last pending menu first, with the submenus of a menu pushed in reverse, writes each menu
  // before its submenus and each submenu's whole subtree before its next sibling.
  std::vector<Pending> pending;
  pending.push_back({&node, arrayName, isSubmenu});
  std::string row;
  while (!pending.empty()) {
    Pending menu = std::move(pending.back());
    pending.pop_back();
    const auto& children = menu.node->children();
    if (children.empty()) continue;
    appendLine(menu.name + " = [");
    appendLine(parameterRow(menu.isSubmenu, tableMode));
    for (std::size_t i = 0; i < children.size(); ++i) {
      const document::MenuItem& child = *children[i];
      const std::string& text = child.text();
      row = "[\"";
      row += escapeQuotes(document::extractTitle(text));
      row += "\",\"";
      row += escapeQuotes(document::extractUrl(text));
      row += child.hasChildren() ? "\", 1, 0, 1]" : "\", 1, 0, 0]";
      row += i + 1 == children.size() ? "]" : ",";
      appendLine(row);
    }
    for (std::size_t i = children.size(); i-- > 0;) {
      if (children[i]->hasChildren()) {
        pending.push_back({children[i].get(), menu.name + "_" + std::to_string(i + 1), true});
      }
    }
  }
}

void MenuArrayWriter::buildArrayText(const document::MenuTree& tree) {
  clear();
  const document::MenuItem* root = tree.root();
  if (!root) return;
  if (m_settings.isTableType()) {
    int position = 0;
    for (const auto& item : root->children()) {
      writeMenuArray(*item, "HM_Array" + std::to_string(++position), false, true);
    }
  } else {
    writeMenuArray(*root, "HM_Array1", false, false);
  }
}

std::string MenuArrayWriter::encodedText() const {
  OutputEncoding encoding(document::encodingName(m_settings.encodingIndex));
  std::string out;
  out.reserve(m_buffer.size());
  encoding.append(out, m_buffer, Unencodable::ScriptEscape);
  encoding.finish(out);
  return out;
}

void saveArrayFile(const std::string& path, const std::string& bytes) {
  try {
    io::writeFileAtomic(path, bytes);
  } catch (const Error& e) {
    // A failure while the bytes go out is a write error; anything else means the file could not be made.
    const std::string what = e.what();
    if (what == io::ioErrorText(ENOSPC) || what == io::ioErrorText(EIO)) throw Error("Stream write error");
    throw Error(fillMessage("Cannot create file %s", path));
  }
}

void MenuArrayWriter::save(const std::string& path) const { saveArrayFile(path, encodedText()); }

}  // namespace corvantel::generator
