#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "core/help/help_path.h"

class QWidget;

namespace corvantel::help {
class HelpLog;
}

namespace corvantel::gui {

class HelpDisplay;

// Routes every help request of the program to the help file. While it lives it is the application's
// help handler: F1 (or the Help key) in any window asks for the help context of the focused control,
// taken from the "helpContext" property of the control or of its nearest ancestor that has one.
class HelpHook : public QObject {
  Q_OBJECT
 public:
  using DisplayFactory = std::function<std::shared_ptr<HelpDisplay>()>;

  // `helpFile` is the full path of the help file; `windowDefinition` and `mode` are passed on as the
  // viewer wants them (empty and 0 in this program). `log` receives the diagnostic lines when set.
  HelpHook(const QString& helpFile, const QString& windowDefinition, int mode, std::shared_ptr<HelpDisplay> display,
            std::unique_ptr<help::HelpLog> log = nullptr, QObject* parent = nullptr);
  ~HelpHook() override;

  // The hook proper: 1 and 8 open the help file at context `data`; 13 remembers the pop-up position
  // packed in `data`; any other command sets `callHelp`, so that the toolkit's own help runs. Always
  // reports the request as handled.
  bool handleRequest(int command, qint32 data, bool& callHelp);
  // Opens the help file at `context` and reports a failure; returns the failure code (0 for success).
  int showContext(int context);
  int showContextOf(const QString& helpFile, int context, const QString& windowDefinition, int mode);
  void showFailure(int code);

  const QString& helpFile() const { return m_helpFile; }
  help::PopupPosition popupPosition() const { return m_popupPosition; }
  std::shared_ptr<HelpDisplay> display() const { return m_display; }
  help::HelpLog* log() const { return m_log.get(); }

  // The hook in charge (the one made last and not yet destroyed), or null.
  static HelpHook* current();
  // The help context of `widget`: its own "helpContext" or its nearest ancestor's; 0 for none.
  static int helpContextOf(const QWidget* widget);
  // Asks the current hook for the help of `widget`. False when there is no hook or no context.
  static bool requestHelpFor(const QWidget* widget);

  // The viewer the program's hook gets (tests install a recording one); null restores the real one.
  static void setDisplayFactory(DisplayFactory factory);
  static std::shared_ptr<HelpDisplay> makeDisplay();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void writeLog(const std::string& line);

  HelpHook* m_previous = nullptr;
  QString m_helpFile;
  QString m_windowDefinition;
  int m_mode = 0;
  help::PopupPosition m_popupPosition;
  std::shared_ptr<HelpDisplay> m_display;
  bool m_viewerAvailable = false;
  std::unique_ptr<help::HelpLog> m_log;
};

}  // namespace corvantel::gui
