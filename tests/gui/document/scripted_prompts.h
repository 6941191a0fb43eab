#pragma once

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>

#include "gui/app/user_prompts.h"

// Prompts that answer from a script and record what was asked. A question or dialog that the script did
// not foresee fails the test instead of blocking.
class ScriptedPrompts : public corvantel::gui::UserPrompts {
 public:
  ScriptedPrompts() { m_previous = corvantel::gui::setPrompts(this); }
  ~ScriptedPrompts() override { corvantel::gui::setPrompts(m_previous); }

  std::deque<Answer> answers;
  std::deque<QString> openNames;
  std::deque<QString> saveNames;
  std::function<int(QDialog*)> dialog;

  QStringList questions;  // save questions asked
  QStringList errors;     // error boxes shown
  QStringList filters;    // filters of the file dialogs shown
  int unexpected = 0;

  Answer askYesNoCancel(QWidget*, const QString& text) override {
    questions << text;
    if (answers.empty()) {
      ++unexpected;
      return Answer::Cancel;
    }
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  bool confirmOkCancel(QWidget*, const QString&, int) override {
    ++unexpected;
    return false;
  }
  void warning(QWidget*, const QString&) override { ++unexpected; }
  void error(QWidget*, const QString& text) override { errors << text; }
  QString openFileName(QWidget*, const QString& filter) override { return next(openNames, filter); }
  QString saveFileName(QWidget*, const QString& filter) override { return next(saveNames, filter); }
  std::optional<QString> inputText(QWidget*, const QString&, const QString&) override {
    ++unexpected;
    return std::nullopt;
  }
  int execDialog(QDialog* d) override {
    if (!dialog) {
      ++unexpected;
      return QDialog::Rejected;
    }
    return dialog(d);
  }

 private:
  QString next(std::deque<QString>& names, const QString& filter) {
    filters << filter;
    if (names.empty()) {
      ++unexpected;
      return {};
    }
    QString n = names.front();
    names.pop_front();
    return n;
  }
  corvantel::gui::UserPrompts* m_previous = nullptr;
};
