#include "gui/document/spin_field.h"

#include <QLineEdit>
#include <limits>
#include <optional>

namespace corvantel::gui {

namespace {
constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
}  // namespace

SpinField::SpinField(QWidget* parent) : QAbstractSpinBox(parent) {
  setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  setAccelerated(true);
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  lineEdit()->setText(QStringLiteral("0"));
  connect(lineEdit(), &QLineEdit::textChanged, this, [this] { Q_EMIT valueChanged(value()); });
}

std::optional<std::int32_t> SpinField::parse(const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return std::nullopt;
  qsizetype i = 0;
  bool negative = false;
  if (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) {
    negative = t[0] == QLatin1Char('-');
    ++i;
  }
  if (i == t.size()) return std::nullopt;
  std::int64_t v = 0;
  for (; i < t.size(); ++i) {
    const QChar c = t[i];
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    v = v * 10 + (c.unicode() - '0');
    if (v > kMax + 1) return std::nullopt;
  }
  if (negative) v = -v;
  if (v < kMin || v > kMax) return std::nullopt;
  return static_cast<std::int32_t>(v);
}

std::int32_t SpinField::value() const { return parse(lineEdit()->text()).value_or(0); }

void SpinField::setValue(std::int32_t value) {
  const QString text = QString::number(value);
  if (lineEdit()->text() != text) lineEdit()->setText(text);
}

void SpinField::stepBy(int steps) {
  std::int64_t v = std::int64_t{value()} + steps;
  if (v < kMin) v = kMin;
  if (v > kMax) v = kMax;
  setValue(static_cast<std::int32_t>(v));
  lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled SpinField::stepEnabled() const {
  StepEnabled enabled = StepNone;
  const std::int32_t v = value();
  if (v < kMax) enabled |= StepUpEnabled;
  if (v > kMin) enabled |= StepDownEnabled;
  return enabled;
}

QValidator::State SpinField::validate(QString& input, int&) const {
  // A sign, or nothing, is a text on the way to a number; it counts as 0 and is kept as typed.
  const QString t = input.trimmed();
  if (t.isEmpty() || t == QLatin1String("-") || t == QLatin1String("+")) return QValidator::Acceptable;
  return parse(t) ? QValidator::Acceptable : QValidator::Invalid;
}

QSize SpinField::sizeHint() const {
  QSize size = QAbstractSpinBox::sizeHint();
  size.setWidth(qMax(size.width(), 80));
  return size;
}

}  // namespace corvantel::gui
