#pragma once

#include <QPointer>

#include "gui/widgets/help_display.h"

namespace corvantel::gui {

class THelpViewer;

// The program's own help viewer: one THelpViewer window, made at the first request.
class ChmHelpDisplay : public HelpDisplay {
 public:
  ChmHelpDisplay() = default;
  ~ChmHelpDisplay() override;

  bool available() const override { return true; }
  bool showContext(const QString& helpPath, int context) override;
  void closeAll() override;

  // The window, while one is open.
  THelpViewer* viewer() const;

 private:
  QPointer<THelpViewer> m_viewer;
};

}  // namespace corvantel::gui
