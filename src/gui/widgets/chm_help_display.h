#pragma once

#include <QPointer>

#include "gui/widgets/help_display.h"

namespace corvantel::gui {

class HelpViewer;

// The program's own help viewer: one HelpViewer window, made at the first request.
class ChmHelpDisplay : public HelpDisplay {
 public:
  ChmHelpDisplay() = default;
  ~ChmHelpDisplay() override;

  bool available() const override { return true; }
  bool showContext(const QString& helpPath, int context) override;
  void closeAll() override;

  // The window, while one is open.
  HelpViewer* viewer() const;

 private:
  QPointer<HelpViewer> m_viewer;
};

}  // namespace corvantel::gui
