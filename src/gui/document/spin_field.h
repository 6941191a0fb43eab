#pragma once

#include <QAbstractSpinBox>
#include <cstdint>
#include <optional>

namespace corvantel::gui {

// A whole-number field with up and down arrows, step 1, over the whole 32-bit range unless a narrower
// range is set. Only a sign and digits can be typed, and no number outside the range; a text that is not a
// whole number (empty, or a lone sign) reads as 0.
class SpinField : public QAbstractSpinBox {
  Q_OBJECT
 public:
  explicit SpinField(QWidget* parent = nullptr);

  // The number the text reads as: 0 when it is not a whole number.
  std::int32_t value() const;
  // Shows `value` in decimal, brought into the range.
  void setValue(std::int32_t value);

  // The numbers the field takes; a minimum of 0 or more also refuses a minus sign.
  void setRange(std::int32_t minimum, std::int32_t maximum);
  std::int32_t minimum() const { return m_minimum; }
  std::int32_t maximum() const { return m_maximum; }

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;
  QSize sizeHint() const override;

  // Parses a whole number as the field reads it; nothing for any other text.
  static std::optional<std::int32_t> parse(const QString& text);

 Q_SIGNALS:
  void valueChanged(std::int32_t value);

 protected:
  StepEnabled stepEnabled() const override;

 private:
  std::int32_t m_minimum;
  std::int32_t m_maximum;
};

}  // namespace corvantel::gui
