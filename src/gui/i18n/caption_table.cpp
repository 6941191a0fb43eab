#include "gui/i18n/caption_table.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

namespace corvantel::gui {

Caption caption(QAction* action, const char* english) {
  return {english, [action](const QString& text) { action->setText(text); }};
}

Caption caption(QMenu* menu, const char* english) {
  return {english, [menu](const QString& text) { menu->menuAction()->setText(text); }};
}

Caption caption(QAbstractButton* button, const char* english) {
  return {english, [button](const QString& text) { button->setText(text); }};
}

Caption caption(QLabel* label, const char* english) {
  return {english, [label](const QString& text) { label->setText(text); }};
}

Caption caption(QGroupBox* box, const char* english) {
  return {english, [box](const QString& text) { box->setTitle(text); }};
}

Caption windowTitleCaption(QWidget* window, const char* english) {
  return {english, [window](const QString& text) { window->setWindowTitle(text); }};
}

void applyEnglish(const CaptionTable& table) {
  for (const Caption& c : table) c.apply(QString::fromUtf8(c.english));
}

void applyCaptions(const CaptionTable& table, const std::function<QString(const char*)>& lookup) {
  for (const Caption& c : table) c.apply(lookup(c.english));
}

}  // namespace corvantel::gui
