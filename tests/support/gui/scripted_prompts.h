#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "gui/app/user_prompts.h"

namespace corvantel::test {

// The prompts of a widget test. Every prompt the code under test raises must have been scripted, in
// order, with its answer; an unscripted prompt, a prompt of another kind than scripted, or a scripted
// prompt that never came fails the test with a message that names it. Every call is recorded.
// Constructing one installs it; destroying it puts the earlier prompts back.
class ScriptedPrompts : public gui::UserPrompts {
 public:
  enum class Kind { YesNoCancel, OkCancel, Warning, Information, Error, OpenFile, SaveFile, Input, Dialog };

  struct Call {
    Call(Kind k, QString t, int help = 0) : kind(k), text(std::move(t)), helpContext(help) {}
    Kind kind;
    QString text;         // message text, filter, input prompt, or the dialog's object name
    int helpContext = 0;  // OkCancel only
  };

  ScriptedPrompts();
  ~ScriptedPrompts() override;
  ScriptedPrompts(const ScriptedPrompts&) = delete;
  ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

  // --- the script, consumed front to back ---
  ScriptedPrompts& answerYesNoCancel(Answer answer);
  ScriptedPrompts& answerOkCancel(bool ok);
  ScriptedPrompts& expectWarning();
  ScriptedPrompts& expectInformation();
  ScriptedPrompts& expectError();
  ScriptedPrompts& answerOpenFile(const QString& path);
  ScriptedPrompts& answerSaveFile(const QString& path);
  ScriptedPrompts& answerInput(std::optional<QString> text);
  // A modal dialog: `inspect` runs while the dialog is "shown" (it may fill its controls), then the
  // dialog's result is `result`.
  ScriptedPrompts& answerDialog(int result, std::function<void(QDialog*)> inspect = {});

  const std::vector<Call>& calls() const { return m_calls; }
  // The texts of the recorded calls of one kind.
  QStringList texts(Kind kind) const;
  // Scripted answers not used yet.
  std::size_t pending() const { return m_script.size(); }
  // Fails the test for every scripted answer not used yet, and drops them.
  void verifyAllUsed();

  static const char* kindName(Kind kind);

  // UserPrompts
  Answer askYesNoCancel(QWidget* parent, const QString& text) override;
  bool confirmOkCancel(QWidget* parent, const QString& text, int helpContext) override;
  void warning(QWidget* parent, const QString& text) override;
  void information(QWidget* parent, const QString& text) override;
  void error(QWidget* parent, const QString& text) override;
  QString openFileName(QWidget* parent, const QString& filter, const QString& start) override;
  QString saveFileName(QWidget* parent, const QString& filter, const QString& start) override;
  std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt) override;
  int execDialog(QDialog* dialog) override;

 private:
  struct Step {
    explicit Step(Kind k) : kind(k) {}
    Kind kind;
    Answer answer = Answer::Cancel;
    bool ok = false;
    QString path;
    std::optional<QString> input;
    int result = 0;
    std::function<void(QDialog*)> inspect;
  };
  ScriptedPrompts& push(Step step);
  // The next step when it is of `kind`; nothing (after failing the test) when it is not.
  std::optional<Step> take(Kind kind, const QString& text);

  std::deque<Step> m_script;
  std::vector<Call> m_calls;
  gui::UserPrompts* m_previous = nullptr;
};

}  // namespace corvantel::test
