#include "support/gui/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QStringList>

namespace corvantel::test {

ScriptedPrompts::ScriptedPrompts() { m_previous = gui::setPrompts(this); }

ScriptedPrompts::~ScriptedPrompts() {
  verifyAllUsed();
  gui::setPrompts(m_previous);
}

const char* ScriptedPrompts::kindName(Kind kind) {
  switch (kind) {
    case Kind::YesNoCancel:
      return "Yes/No/Cancel question";
    case Kind::OkCancel:
      return "OK/Cancel confirmation";
    case Kind::Warning:
      return "warning";
    case Kind::Information:
      return "information";
    case Kind::Error:
      return "error box";
    case Kind::OpenFile:
      return "open-file dialog";
    case Kind::SaveFile:
      return "save-file dialog";
    case Kind::Input:
      return "input box";
    case Kind::Dialog:
      return "modal dialog";
  }
  return "prompt";
}

ScriptedPrompts& ScriptedPrompts::push(Step step) {
  m_script.push_back(std::move(step));
  return *this;
}

ScriptedPrompts& ScriptedPrompts::answerYesNoCancel(Answer answer) {
  Step s{Kind::YesNoCancel};
  s.answer = answer;
  return push(std::move(s));
}

ScriptedPrompts& ScriptedPrompts::answerOkCancel(bool ok) {
  Step s{Kind::OkCancel};
  s.ok = ok;
  return push(std::move(s));
}

ScriptedPrompts& ScriptedPrompts::expectWarning() { return push(Step{Kind::Warning}); }
ScriptedPrompts& ScriptedPrompts::expectInformation() { return push(Step{Kind::Information}); }
ScriptedPrompts& ScriptedPrompts::expectError() { return push(Step{Kind::Error}); }

ScriptedPrompts& ScriptedPrompts::answerOpenFile(const QString& path) {
  Step s{Kind::OpenFile};
  s.path = path;
  return push(std::move(s));
}

ScriptedPrompts& ScriptedPrompts::answerSaveFile(const QString& path) {
  Step s{Kind::SaveFile};
  s.path = path;
  return push(std::move(s));
}

ScriptedPrompts& ScriptedPrompts::answerInput(std::optional<QString> text) {
  Step s{Kind::Input};
  s.input = std::move(text);
  return push(std::move(s));
}

ScriptedPrompts& ScriptedPrompts::answerDialog(int result, std::function<void(QDialog*)> inspect) {
  Step s{Kind::Dialog};
  s.result = result;
  s.inspect = std::move(inspect);
  return push(std::move(s));
}

QStringList ScriptedPrompts::texts(Kind kind) const {
  QStringList out;
  for (const Call& c : m_calls) {
    if (c.kind == kind) out << c.text;
  }
  return out;
}

void ScriptedPrompts::verifyAllUsed() {
  for (const Step& s : m_script) ADD_FAILURE() << "a scripted " << kindName(s.kind) << " was never shown";
  m_script.clear();
}

std::optional<ScriptedPrompts::Step> ScriptedPrompts::take(Kind kind, const QString& text) {
  if (m_script.empty()) {
    ADD_FAILURE() << "unscripted " << kindName(kind) << ": \"" << text.toStdString() << "\"";
    return std::nullopt;
  }
  if (m_script.front().kind != kind) {
    ADD_FAILURE() << "a " << kindName(kind) << " (\"" << text.toStdString() << "\") came where the script has a "
                  << kindName(m_script.front().kind);
    return std::nullopt;
  }
  Step s = std::move(m_script.front());
  m_script.pop_front();
  return s;
}

gui::UserPrompts::Answer ScriptedPrompts::askYesNoCancel(QWidget*, const QString& text) {
  m_calls.push_back({Kind::YesNoCancel, text});
  auto s = take(Kind::YesNoCancel, text);
  return s ? s->answer : Answer::Cancel;
}

bool ScriptedPrompts::confirmOkCancel(QWidget*, const QString& text, int helpContext) {
  m_calls.push_back({Kind::OkCancel, text, helpContext});
  auto s = take(Kind::OkCancel, text);
  return s && s->ok;
}

void ScriptedPrompts::warning(QWidget*, const QString& text) {
  m_calls.push_back({Kind::Warning, text});
  take(Kind::Warning, text);
}

void ScriptedPrompts::information(QWidget*, const QString& text) {
  m_calls.push_back({Kind::Information, text});
  take(Kind::Information, text);
}

void ScriptedPrompts::error(QWidget*, const QString& text) {
  m_calls.push_back({Kind::Error, text});
  take(Kind::Error, text);
}

QString ScriptedPrompts::openFileName(QWidget*, const QString& filter, const QString&) {
  m_calls.push_back({Kind::OpenFile, filter});
  auto s = take(Kind::OpenFile, filter);
  return s ? s->path : QString();
}

QString ScriptedPrompts::saveFileName(QWidget*, const QString& filter, const QString&) {
  m_calls.push_back({Kind::SaveFile, filter});
  auto s = take(Kind::SaveFile, filter);
  return s ? s->path : QString();
}

std::optional<QString> ScriptedPrompts::inputText(QWidget*, const QString&, const QString& prompt) {
  m_calls.push_back({Kind::Input, prompt});
  auto s = take(Kind::Input, prompt);
  return s ? s->input : std::nullopt;
}

int ScriptedPrompts::execDialog(QDialog* dialog) {
  const QString name = dialog ? dialog->objectName() : QString();
  m_calls.push_back({Kind::Dialog, name});
  auto s = take(Kind::Dialog, name);
  if (!s) return QDialog::Rejected;
  if (s->inspect) s->inspect(dialog);
  if (dialog) dialog->setResult(s->result);
  return s->result;
}

}  // namespace corvantel::test
