#include "gui/widgets/color_button.h"

#include <qdrawutil.h>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEnterEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOption>

#include "core/palette/color_palette_table.h"
#include "core/palette/color_text.h"
#include "gui/widgets/color_grab_receiver.h"
#include "gui/widgets/color_popup.h"

namespace corvantel::gui {

using namespace corvantel::palette;

namespace {

QRect qrect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

QString withoutMnemonic(const QString& text) {
  QString plain;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    plain += text[i];
  }
  return plain;
}

// What a screen reader learns of a colour button: the caption of its row as the name, the colour as the
// value, and an action that opens the palette.
class ColorButtonAccessible : public QAccessibleWidget {
 public:
  explicit ColorButtonAccessible(ColorButton* button) : QAccessibleWidget(button, QAccessible::ButtonDropDown) {}

  QString text(QAccessible::Text t) const override {
    auto* b = static_cast<ColorButton*>(widget());
    switch (t) {
      case QAccessible::Name:
        return b->accessibleName().isEmpty() ? b->rowCaption() : b->accessibleName();
      case QAccessible::Value:
        return b->colorText();
      default:
        return QAccessibleWidget::text(t);
    }
  }
  QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
  void doAction(const QString& name) override {
    if (name == showMenuAction() || name == pressAction()) static_cast<ColorButton*>(widget())->setPopupOpen(true);
  }
};

QAccessibleInterface* colorButtonAccessible(const QString&, QObject* object) {
  if (auto* button = qobject_cast<ColorButton*>(object)) return new ColorButtonAccessible(button);
  return nullptr;
}

}  // namespace

ColorButton::ColorButton(QWidget* parent) : QWidget(parent) {
  static const bool accessibleInstalled = (QAccessible::installFactory(colorButtonAccessible), true);
  (void)accessibleInstalled;
  resize(kWidth, kHeight);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_Hover);
  setBackgroundRole(QPalette::Button);
  m_popup = new ColorPopup(this);
  m_receiver = new ColorGrabReceiver(m_popup, this);
  updateOpacity();
}

ColorButton::~ColorButton() {
  m_receiver->stop();
  if (m_popupOpen) m_popup->hidePalette();
  m_popupOpen = false;
}

// ---- properties ----

void ColorButton::setSelectionColor(document::Color color) {
  if (color == m_selectionColor) return;
  m_selectionColor = color;
  update();
  if (m_popupOpen) m_popup->locate(color);
  if (QAccessible::isActive()) {
    QAccessibleValueChangeEvent event(this, colorText());
    QAccessible::updateAccessibility(&event);
  }
  Q_EMIT colorChanged();
}

QString ColorButton::customText() const { return m_popup->customText(); }
void ColorButton::setCustomText(const QString& text) { m_popup->setCustomText(text); }
QString ColorButton::defaultText() const { return m_popup->defaultText(); }
void ColorButton::setDefaultText(const QString& text) { m_popup->setDefaultText(text); }
bool ColorButton::showSystemColors() const { return m_popup->showSystemColors(); }
void ColorButton::setShowSystemColors(bool show) { m_popup->setShowSystemColors(show); }
int ColorButton::popupSpacing() const { return m_popup->popupSpacing(); }
void ColorButton::setPopupSpacing(int spacing) { m_popup->setPopupSpacing(spacing); }

void ColorButton::setPopupOpen(bool open) {
  if (open == m_popupOpen) return;
  bool allowed = true;
  Q_EMIT dropDownChanging(&allowed);
  if (!allowed) return;
  m_popupOpen = open;
  if (open) {
    m_arrowPressed = true;  // the pressed look, also when opened from code
    repaint();
    m_popup->openWith(m_selectionColor);
    m_receiver->start();
  } else {
    m_receiver->stop();
    m_popup->hidePalette();
  }
  Q_EMIT dropDownChanged();
  update();
}

void ColorButton::setAllowAllUp(bool allow) {
  if (allow == m_allowAllUp) return;
  m_allowAllUp = allow;
  if (m_groupIndex != 0 && parentWidget()) {
    for (ColorButton* b : parentWidget()->findChildren<ColorButton*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (b != this && b->m_groupIndex == m_groupIndex) b->m_allowAllUp = allow;
    }
  }
}

void ColorButton::setDown(bool down) {
  if (m_groupIndex == 0) down = false;
  if (down == m_down) return;
  if (m_down && !m_allowAllUp) return;  // one button of the group stays down
  m_down = down;
  if (down) {
    if (m_state == ButtonState::Up) m_state = ButtonState::Exclusive;
    releaseGroupSiblings();
  } else if (m_state == ButtonState::Exclusive) {
    m_state = ButtonState::Up;
  }
  update();
}

void ColorButton::setGroupIndex(int index) {
  if (index == m_groupIndex) return;
  m_groupIndex = index;
  if (index == 0 && m_down) {
    m_down = false;
    if (m_state == ButtonState::Exclusive) m_state = ButtonState::Up;
    update();
  }
}

void ColorButton::releaseGroupSiblings() {
  if (m_groupIndex == 0 || !parentWidget()) return;
  for (ColorButton* b : parentWidget()->findChildren<ColorButton*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (b == this || b->m_groupIndex != m_groupIndex) continue;
    b->m_allowAllUp = m_allowAllUp;
    if (b->m_down) {
      b->m_down = false;
      if (b->m_state == ButtonState::Exclusive) b->m_state = ButtonState::Up;
      b->update();
    }
  }
}

void ColorButton::setDropDownArrowColor(document::Color color) {
  m_arrowColor = color;
  m_arrowColorSet = true;
  update();
}
void ColorButton::setDropDownWidth(int width) {
  m_dropDownWidth = std::max(0, width);
  update();
}
void ColorButton::setFlat(bool flat) {
  m_flat = flat;
  updateOpacity();
  update();
}
void ColorButton::setTransparent(bool transparent) {
  m_transparent = transparent;
  updateOpacity();
  update();
}
void ColorButton::setIndicatorBorder(IndicatorBorder border) {
  m_indicatorBorder = border;
  update();
}
void ColorButton::setButtonLayout(ButtonLayout layout) {
  m_layout = layout;
  update();
}
void ColorButton::setMargin(int margin) {
  if (margin < -1) return;
  m_margin = margin;
  update();
}
void ColorButton::setSpacing(int spacing) {
  m_spacing = spacing;
  update();
}
void ColorButton::setGlyph(const QPixmap& glyph) {
  m_glyph = glyph;
  update();
}
void ColorButton::setNumGlyphs(int count) {
  m_numGlyphs = std::clamp(count, 1, 4);
  update();
}
void ColorButton::setCaption(const QString& caption) {
  if (caption == m_caption) return;
  m_caption = caption;
  if (m_accelerator != 0) releaseShortcut(m_accelerator);
  m_accelerator = 0;
  const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
  if (!mnemonic.isEmpty()) m_accelerator = grabShortcut(mnemonic);
  update();
}

void ColorButton::updateOpacity() { setAttribute(Qt::WA_OpaquePaintEvent, !(m_flat || m_transparent)); }

void ColorButton::setState(ButtonState state) {
  if (state == m_state) return;
  m_state = state;
  update();
}

QString ColorButton::hintFor(int cell) {
  QString hint;
  Q_EMIT hintRequested(cell, &hint);
  return hint;
}

void ColorButton::fireDefaultSelect() { Q_EMIT defaultSelected(); }

QString ColorButton::rowCaption() const {
  const QWidget* parent = parentWidget();
  if (!parent) return {};
  for (const QLabel* label : parent->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (label->buddy() == this) return withoutMnemonic(label->text());
  }
  if (auto* grid = qobject_cast<QGridLayout*>(parent->layout())) {
    const int index = grid->indexOf(this);
    if (index < 0) return {};
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    for (int c = 0; c < column; ++c) {
      const QLayoutItem* item = grid->itemAtPosition(row, c);
      if (const auto* label = item ? qobject_cast<const QLabel*>(item->widget()) : nullptr) {
        return withoutMnemonic(label->text());
      }
    }
  }
  return {};
}

QString ColorButton::colorText() const {
  if (m_selectionColor == kColorNone) return QStringLiteral("none");
  if (m_selectionColor == kColorDefault) return QStringLiteral("default");
  const QColor c = ColorPopup::toQColor(m_selectionColor);
  return QString::fromStdString(hexColorText(document::makeColor(c.red(), c.green(), c.blue())));
}

CaptionTable ColorButton::paletteCaptions() {
  CaptionTable table = {
      {"Exact color", [](const QString& text) { ColorPopup::texts().exactColor = text; }},
      {"Not a color: type #RRGGBB, #RGB or R, G, B",
       [](const QString& text) { ColorPopup::texts().invalidColor = text; }},
      {"Intensity: %1%", [](const QString& text) { ColorPopup::texts().intensity = text; }},
      {"red: %1, green: %2, blue: %3 (%4)", [](const QString& text) { ColorPopup::texts().colorHint = text; }},
  };
  // The standard colours; the system colours' names stay as the desktop names them.
  for (int cell = 0; cell < kFirstSystemCell; ++cell) {
    const char* english = paletteColors()[static_cast<std::size_t>(cell)].name;
    table.push_back({english, [english](const QString& text) { ColorPopup::texts().colorNames[english] = text; }});
  }
  return table;
}

// ---- painting ----

ButtonFace ColorButton::faceLayout() const {
  ButtonFaceInput in;
  in.width = width();
  in.height = height();
  in.dropDownWidth = m_dropDownWidth;
  in.frameWidth = ColorPopup::edgeWidth();
  in.state = isEnabled() ? m_state : ButtonState::Disabled;
  in.arrowPressed = m_arrowPressed;
  in.popupOpen = m_popupOpen;
  in.flat = m_flat;
  in.hot = m_hot;
  in.enabled = isEnabled();
  if (!m_caption.isEmpty()) {
    const QRect r = fontMetrics().boundingRect(QRect(0, 0, 10000, 1000), Qt::TextShowMnemonic, m_caption);
    in.caption = {r.width(), r.height()};
  }
  if (!m_glyph.isNull()) in.glyph = {m_glyph.width() / m_numGlyphs, m_glyph.height()};
  in.layout = m_layout;
  in.margin = m_margin;
  in.spacing = m_spacing;
  return layoutButtonFace(in);
}

void ColorButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  paintButton(p);
}

void ColorButton::paintFrame(QPainter& p, const QRect& r, FrameLook look, bool thin) {
  const QPalette& pal = palette();
  const bool sunken = look == FrameLook::Sunken;
  if (thin) {
    const QBrush face = pal.brush(QPalette::Button);
    qDrawShadePanel(&p, r, pal, sunken, 1, m_transparent ? nullptr : &face);
  } else {
    const QBrush face = pal.brush(QPalette::Button);
    qDrawWinButton(&p, r, pal, sunken, &face);
  }
}

void ColorButton::paintButton(QPainter& p) {
  const QPalette& pal = palette();
  const ButtonFace f = faceLayout();
  if (f.faceFrame == FrameLook::None && !m_transparent) p.fillRect(rect(), pal.color(QPalette::Button));
  if (f.faceFrame != FrameLook::None) paintFrame(p, qrect(f.client), f.faceFrame, f.thinFrames);
  if (f.arrowFrame != FrameLook::None) paintFrame(p, qrect(f.arrowSection), f.arrowFrame, f.thinFrames);
  if (f.checkered) {
    const QRect face = qrect(f.face).intersected(QRect(0, 0, width() - m_dropDownWidth - 1, height()));
    p.fillRect(face, pal.color(QPalette::Light));
    p.fillRect(face, QBrush(pal.color(QPalette::Button), Qt::Dense4Pattern));
  }
  if (f.divider) {
    p.setPen(pal.color(QPalette::Dark));
    if (f.dividerShadow.bottom > f.dividerShadow.top) {
      p.drawLine(f.dividerShadow.x, f.dividerShadow.top, f.dividerShadow.x, f.dividerShadow.bottom - 1);
    }
    p.setPen(pal.color(QPalette::Light));
    if (f.dividerHighlight.bottom > f.dividerHighlight.top) {
      p.drawLine(f.dividerHighlight.x, f.dividerHighlight.top, f.dividerHighlight.x, f.dividerHighlight.bottom - 1);
    }
  }
  if (!f.glyphRect.isEmpty()) paintGlyph(p, f.glyphRect);
  if (!f.captionRect.isEmpty()) paintCaption(p, f.captionRect);
  if (!f.indicator.isEmpty()) paintIndicator(p, f.indicator);

  QPolygon arrow;
  for (const Point& pt : f.arrow) arrow << QPoint(pt.x, pt.y);
  if (hasFocus() && !f.indicator.isEmpty()) {
    // The focus frame rings the indicator in the highlight colour and leaves the colour itself alone
    // (the style's own focus frame tints what it covers).
    p.setPen(pal.color(QPalette::Highlight));
    p.setBrush(Qt::NoBrush);
    p.drawRect(qrect(f.indicator).adjusted(-1, -1, 0, 0));
  }
  if (isEnabled()) {
    const QColor c = m_arrowColorSet ? ColorPopup::toQColor(m_arrowColor) : pal.color(QPalette::ButtonText);
    p.setPen(c);
    p.setBrush(c);
  } else {
    p.setPen(Qt::NoPen);
    p.setBrush(pal.color(QPalette::Dark));
  }
  p.drawPolygon(arrow);
  p.setBrush(Qt::NoBrush);
}

void ColorButton::paintIndicator(QPainter& p, const Rect& rect) {
  const QPalette& pal = palette();
  const QRect r = qrect(rect);
  const bool hasColour = m_selectionColor != kColorNone && m_selectionColor != kColorDefault;
  const QColor colour = ColorPopup::toQColor(m_selectionColor);
  switch (m_indicatorBorder) {
    case IndicatorBorder::ibNone:
      if (hasColour) p.fillRect(r, colour);
      break;
    case IndicatorBorder::ibFlat:
      p.setPen(pal.color(QPalette::Dark));
      if (hasColour) {
        p.setBrush(colour);
      } else {
        p.setBrush(Qt::NoBrush);
      }
      if (r.width() > 1 && r.height() > 1) p.drawRect(r.adjusted(0, 0, -1, -1));
      p.setBrush(Qt::NoBrush);
      break;
    case IndicatorBorder::ibSunken:
    case IndicatorBorder::ibRaised:
      qDrawShadePanel(&p, r, pal, m_indicatorBorder == IndicatorBorder::ibSunken, 1, nullptr);
      if (hasColour) p.fillRect(r.adjusted(1, 1, -1, -1), colour);
      break;
  }
}

void ColorButton::paintGlyph(QPainter& p, const Rect& rect) {
  const int w = m_glyph.width() / m_numGlyphs;
  int index = 0;
  switch (isEnabled() ? m_state : ButtonState::Disabled) {
    case ButtonState::Up:
      index = 0;
      break;
    case ButtonState::Disabled:
      index = 1;
      break;
    case ButtonState::Down:
      index = 2;
      break;
    case ButtonState::Exclusive:
      index = 3;
      break;
  }
  if (index >= m_numGlyphs) index = 0;
  QPixmap image = m_glyph.copy(index * w, 0, w, m_glyph.height());
  if (!isEnabled() && m_numGlyphs < 2) {
    QStyleOption option;
    option.initFrom(this);
    image = style()->generatedIconPixmap(QIcon::Disabled, image, &option);
  }
  p.drawPixmap(rect.left, rect.top, image);
}

void ColorButton::paintCaption(QPainter& p, const Rect& rect) {
  const QPalette& pal = palette();
  const QRect r = qrect(rect);
  const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
  p.setFont(font());
  if (!isEnabled()) {
    p.setPen(pal.color(QPalette::Light));
    p.drawText(r.translated(1, 1), flags, m_caption);
    p.setPen(pal.color(QPalette::Dark));
  } else {
    p.setPen(pal.color(QPalette::ButtonText));
  }
  p.drawText(r, flags, m_caption);
}

// ---- pointer ----

void ColorButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  const int x = event->position().toPoint().x();
  if (x > width() - m_dropDownWidth) {
    m_arrowPressed = true;
    if (!m_popupOpen) {
      repaint();
      setPopupOpen(true);
    } else {
      setPopupOpen(false);
    }
    return;
  }
  m_arrowPressed = false;
  if (!m_down) {
    m_state = ButtonState::Down;
    repaint();
  }
  m_dragging = true;
}

void ColorButton::mouseMoveEvent(QMouseEvent* event) {
  if (!m_dragging) return;
  const QPoint pos = event->position().toPoint();
  const bool inside = pos.x() >= 0 && pos.x() <= width() - 1 && pos.y() >= 0 && pos.y() <= height();
  setState(inside ? ButtonState::Down : (m_down ? ButtonState::Exclusive : ButtonState::Up));
}

void ColorButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_dragging) return;
  m_dragging = false;
  const QPoint pos = event->position().toPoint();
  const bool inside = pos.x() >= 0 && pos.x() <= width() - 1 && pos.y() >= 0 && pos.y() <= height();
  if (m_groupIndex == 0) {
    m_state = ButtonState::Up;
    m_hot = false;
    update();
  } else if (inside) {
    if (!m_down) {
      m_down = true;
      m_state = ButtonState::Exclusive;
      releaseGroupSiblings();
    } else if (m_allowAllUp) {
      m_down = false;
      m_state = ButtonState::Up;
    } else {
      m_state = ButtonState::Exclusive;
    }
    update();
  } else {
    m_state = m_down ? ButtonState::Exclusive : ButtonState::Up;
    update();
  }
  if (inside) Q_EMIT clicked();
  m_hot = m_flat && isEnabled() && rect().contains(pos);
}

void ColorButton::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  if (m_down) {
    Q_EMIT doubleClicked();
    return;
  }
  mousePressEvent(event);  // a quick second press still presses
}

void ColorButton::enterEvent(QEnterEvent* event) {
  if (m_flat && isEnabled()) {
    m_hot = true;
    update();
  }
  QWidget::enterEvent(event);
}

void ColorButton::leaveEvent(QEvent* event) {
  if (m_flat && isEnabled() && !m_dragging) {
    m_hot = false;
    update();
  }
  QWidget::leaveEvent(event);
}

void ColorButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    if (!isEnabled()) {
      m_dragging = false;
      m_hot = false;
      m_state = ButtonState::Disabled;
      if (m_popupOpen) setPopupOpen(false);
    } else {
      m_state = (m_down && m_groupIndex != 0) ? ButtonState::Exclusive : ButtonState::Up;
    }
    update();
  }
  QWidget::changeEvent(event);
}

// Space, Enter, F4 and Alt+Down open the palette, as on a drop-down list; while it is open its grab
// takes the keys.
void ColorButton::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool alt = event->modifiers().testFlag(Qt::AltModifier);
  const bool opens = (!alt && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter ||
                               key == Qt::Key_F4)) ||
                     (alt && key == Qt::Key_Down);
  if (opens && isEnabled() && !m_popupOpen && !event->isAutoRepeat()) {
    setPopupOpen(true);
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void ColorButton::focusInEvent(QFocusEvent* event) {
  update();
  QWidget::focusInEvent(event);
}

void ColorButton::focusOutEvent(QFocusEvent* event) {
  update();
  QWidget::focusOutEvent(event);
}

bool ColorButton::event(QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    auto* shortcut = static_cast<QShortcutEvent*>(event);
    if (shortcut->shortcutId() == m_accelerator && isEnabled() && isVisible() && parentWidget() &&
        parentWidget()->isVisible()) {
      Q_EMIT clicked();
      return true;
    }
  }
  return QWidget::event(event);
}

}  // namespace corvantel::gui
