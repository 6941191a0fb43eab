#include "gui/document/spin_field.h"

#include <QLineEdit>
#include <limits>
#include <optional>

#include "core/io/ascii.h"

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
  return io::parseInt32(text.trimmed().toStdString());
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
