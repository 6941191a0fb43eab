#pragma once

#include <functional>
#include <string>

#include "core/document/menu_tree.h"
#include "core/document/project_settings.h"

namespace corvantel::document {

inline constexpr const char* kNoProjectName = "noname";

// The one open document: the menu tree, the project settings, the project's file name and whether it
// has changes the save question asks about. Windows are views of it; they keep no copy.
class Document {
 public:
  MenuTree& tree() { return m_tree; }
  const MenuTree& tree() const { return m_tree; }

  ProjectSettings& settings() { return m_settings; }
  const ProjectSettings& settings() const { return m_settings; }
  // Replaces the settings; marks the document modified when they really differ (and `markModified`).
  void setSettings(const ProjectSettings& settings, bool markModified);

  // ProjectFileName: the full path of the settings file, "noname" for a project never saved, empty
  // before the first project.
  const std::string& projectFileName() const { return m_projectFileName; }
  void setProjectFileName(std::string name);
  bool isUnnamed() const { return m_projectFileName == kNoProjectName; }

  // ProjectModified.
  bool isModified() const { return m_modified; }
  void setModified(bool modified);

  // Called after the file name or the modified flag changed (for the window's status line).
  void setStateListener(std::function<void()> listener) { m_listener = std::move(listener); }

  // The tree of a new project: the root item "Menu<TAB>" with picture 0, and new-project settings.
  void resetToNewProject();

 private:
  void notify() {
    if (m_listener) m_listener();
  }

  MenuTree m_tree;
  ProjectSettings m_settings;
  std::string m_projectFileName;
  bool m_modified = false;
  std::function<void()> m_listener;
};

}  // namespace corvantel::document
