#include "gui/widgets/help_hook.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "core/help/help_log.h"
#include "gui/app/user_prompts.h"
#include "gui/i18n/ui_text.h"
#include "gui/widgets/chm_help_display.h"
#include "gui/widgets/help_display.h"

namespace corvantel::gui {

namespace {

HelpHook* g_current = nullptr;

HelpHook::DisplayFactory& displayFactory() {
  static HelpHook::DisplayFactory factory;
  return factory;
}

}  // namespace

HelpHook::HelpHook(const QString& helpFile, const QString& windowDefinition, int mode,
                     std::shared_ptr<HelpDisplay> display, std::unique_ptr<help::HelpLog> log, QObject* parent)
    : QObject(parent),
      m_previous(g_current),
      m_helpFile(helpFile),
      m_windowDefinition(windowDefinition),
      m_mode(mode),
      m_display(std::move(display)),
      m_log(std::move(log)) {
  setObjectName(QStringLiteral("helpHook"));
  writeLog(help::HelpLog::createLine(helpFile.toStdString(), windowDefinition.toStdString(), mode));
  m_viewerAvailable = m_display && m_display->available();
  g_current = this;
  if (qApp) qApp->installEventFilter(this);
}

HelpHook::~HelpHook() {
  writeLog(help::HelpLog::kDestroyLine);
  if (qApp) qApp->removeEventFilter(this);
  if (m_viewerAvailable) m_display->closeAll();
  // Give the handler back to the one that was in charge before, unless that one is gone already.
  if (g_current == this) g_current = m_previous;
}

HelpHook* HelpHook::current() { return g_current; }

void HelpHook::writeLog(const std::string& line) {
  if (m_log) m_log->write(line);
}

bool HelpHook::handleRequest(int command, qint32 data, bool& callHelp) {
  callHelp = false;
  writeLog(help::HelpLog::hookLine(command, data));
  switch (command) {
    case help::help_command::kContext:
    case help::help_command::kContextPopup:
      showContext(data);
      break;
    case help::help_command::kSetPopupPos:
      m_popupPosition = help::unpackPopupPosition(data);
      break;
    default:
      callHelp = true;
      break;
  }
  return true;
}

int HelpHook::showContext(int context) {
  int code = showContextOf(m_helpFile, context, m_windowDefinition, m_mode);
  if (code != 0) showFailure(code);
  return code;
}

int HelpHook::showContextOf(const QString& helpFile, int context, const QString& windowDefinition, int mode) {
  writeLog(help::HelpLog::contextLine(helpFile.toStdString(), context, windowDefinition.toStdString(), mode));
  QString path =
      QString::fromStdString(help::buildHelpPath(helpFile.toStdString(), {}, windowDefinition.toStdString()));
  int code = 0;
  if (!m_viewerAvailable) {
    code = 1;
  } else {
    writeLog(help::HelpLog::showContextLine(path.toStdString(), mode));
    // The viewer brings itself to the front; a file it cannot read counts as no viewer for it.
    code = m_display->showContext(path, context) ? 0 : 1;
  }
  writeLog(help::HelpLog::returnedLine(code));
  return code;
}

void HelpHook::showFailure(int code) {
  const std::string helpPath = help::buildHelpPath(m_helpFile.toStdString());
  std::string message = help::helpErrorMessage(code, helpPath);
  writeLog(help::HelpLog::showErrorLine(code, message));  // the log stays English
  const QString shown = code == 1 ? uiText("The help file %1 is missing.").arg(QString::fromStdString(helpPath))
                                  : QString::fromStdString(message);
  prompts().warning(QApplication::activeWindow(), shown);
}

int HelpHook::helpContextOf(const QWidget* widget) {
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    bool ok = false;
    int context = w->property("helpContext").toInt(&ok);
    if (ok && context > 0) return context;
  }
  return 0;
}

bool HelpHook::requestHelpFor(const QWidget* widget) {
  HelpHook* hook = current();
  int context = helpContextOf(widget);
  if (!hook || context <= 0) return false;
  bool callHelp = false;
  hook->handleRequest(help::help_command::kContext, context, callHelp);
  return true;
}

bool HelpHook::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || g_current != this) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if ((key->key() != Qt::Key_F1 && key->key() != Qt::Key_Help) || key->modifiers() != Qt::NoModifier) return false;
  QWidget* widget = qobject_cast<QWidget*>(watched);
  if (!widget) widget = QApplication::focusWidget();
  // Handled here once: the toolkit would otherwise pass the key on to the parents as well.
  return requestHelpFor(widget);
}

void HelpHook::setDisplayFactory(DisplayFactory factory) { displayFactory() = std::move(factory); }

std::shared_ptr<HelpDisplay> HelpHook::makeDisplay() {
  if (displayFactory()) return displayFactory()();
  return std::make_shared<ChmHelpDisplay>();
}

}  // namespace corvantel::gui
