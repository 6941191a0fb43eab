#include "gui/widgets/chm_help_display.h"

#include "gui/widgets/help_viewer.h"

namespace corvantel::gui {

ChmHelpDisplay::~ChmHelpDisplay() { closeAll(); }

HelpViewer* ChmHelpDisplay::viewer() const { return m_viewer; }

bool ChmHelpDisplay::showContext(const QString& helpPath, int context) {
  if (!m_viewer) m_viewer = new HelpViewer();
  if (m_viewer->fileName() != helpPath && !m_viewer->openFile(helpPath)) {
    if (!m_viewer->isVisible()) closeAll();
    return false;
  }
  m_viewer->retranslate();  // the language may have changed since it was last shown
  m_viewer->showContext(context);
  m_viewer->bringToFront();
  return true;
}

void ChmHelpDisplay::closeAll() {
  if (!m_viewer) return;
  m_viewer->close();
  delete m_viewer.data();
  m_viewer = nullptr;
}

}  // namespace corvantel::gui
