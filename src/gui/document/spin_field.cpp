#include "gui/document/spin_field.h"

#include <QLineEdit>
#include <algorithm>
#include <limits>
#include <optional>

#include "core/io/ascii.h"

namespace corvantel::gui {

SpinField::SpinField(QWidget* parent)
    : QAbstractSpinBox(parent),
      m_minimum(std::numeric_limits<std::int32_t>::min()),
      m_maximum(std::numeric_limits<std::int32_t>::max()) {
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
  const QString text = QString::number(std::clamp(value, m_minimum, m_maximum));
  if (lineEdit()->text() != text) lineEdit()->setText(text);
}

void SpinField::stepBy(int steps) {
  const std::int64_t v = std::clamp<std::int64_t>(std::int64_t{value()} + steps, m_minimum, m_maximum);
  setValue(static_cast<std::int32_t>(v));
  lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled SpinField::stepEnabled() const {
  StepEnabled enabled = StepNone;
  const std::int32_t v = value();
  if (v < m_maximum) enabled |= StepUpEnabled;
  if (v > m_minimum) enabled |= StepDownEnabled;
  return enabled;
}

QValidator::State SpinField::validate(QString& input, int&) const {
  // A sign, or nothing, is a text on the way to a number; it counts as 0 and is kept as typed. A field that
  // takes no negative numbers takes no minus sign either.
  const QString t = input.trimmed();
  if (t.startsWith(u'-') && m_minimum >= 0) return QValidator::Invalid;
  if (t.isEmpty() || t == QLatin1String("-") || t == QLatin1String("+")) return QValidator::Acceptable;
  const std::optional<std::int32_t> number = parse(t);
  return number && *number >= m_minimum && *number <= m_maximum ? QValidator::Acceptable : QValidator::Invalid;
}

void SpinField::setRange(std::int32_t minimum, std::int32_t maximum) {
  m_minimum = minimum;
  m_maximum = std::max(minimum, maximum);
  if (const std::optional<std::int32_t> number = parse(lineEdit()->text())) setValue(*number);
}

QSize SpinField::sizeHint() const {
  QSize size = QAbstractSpinBox::sizeHint();
  size.setWidth(qMax(size.width(), 80));
  return size;
}

}  // namespace corvantel::gui
