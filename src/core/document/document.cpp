#include "core/document/document.h"

namespace corvantel::document {

void Document::setSettings(const ProjectSettings& settings, bool markModified) {
  if (settings == m_settings) return;
  m_settings = settings;
  if (markModified) setModified(true);
}

void Document::setProjectFileName(std::string name) {
  if (name == m_projectFileName) return;
  m_projectFileName = std::move(name);
  notify();
}

void Document::setModified(bool modified) {
  if (modified == m_modified) return;
  m_modified = modified;
  notify();
}

void Document::resetToNewProject() {
  m_tree.clear();
  m_tree.append(nullptr, "Menu\t", 0);
  m_settings = ProjectSettings{};
}

}  // namespace corvantel::document
