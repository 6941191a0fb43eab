#pragma once

#include <QString>

namespace corvantel::gui {

// The help viewer as the help hook sees it. The program uses ChmHelpDisplay; tests install a recording
// one (HelpHook::setDisplayFactory).
class HelpDisplay {
 public:
  virtual ~HelpDisplay() = default;
  // Whether the viewer exists at all (asked once, when the hook is made).
  virtual bool available() const = 0;
  // Opens the help file `helpPath` at context `context` and brings the viewer to the front. False when
  // the file cannot be read; a context the file does not know is the viewer's to report.
  virtual bool showContext(const QString& helpPath, int context) = 0;
  // Closes every viewer window.
  virtual void closeAll() = 0;
};

}  // namespace corvantel::gui
