#include "gui/widgets/color_popup.h"

#include <QApplication>
#include <QGuiApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QToolTip>
#include <QWindow>
#include <algorithm>

#include "core/palette/color_palette_locate.h"
#include "core/palette/color_palette_table.h"
#include "core/palette/color_text.h"
#include "gui/widgets/color_button.h"

namespace corvantel::gui {

using namespace corvantel::palette;

namespace {

constexpr int kHintMs = 5000;

bool leftHeld(Qt::MouseButtons buttons) { return buttons.testFlag(Qt::LeftButton); }

}  // namespace

ColorPopup::ColorPopup(ColorButton* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
                         Qt::BypassWindowManagerHint | Qt::NoDropShadowWindowHint),
      m_owner(owner) {
  setObjectName(QStringLiteral("ColorPopup"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  m_edge = edgeWidth();
  m_exactEdit = new QLineEdit(this);
  m_exactEdit->setObjectName(QStringLiteral("exactColorEdit"));
  m_exactEdit->setFocusPolicy(Qt::NoFocus);  // the palette never takes the focus; its keys come through the grab
  m_exactEdit->setMaxLength(24);
  m_exactEdit->setPlaceholderText(QStringLiteral("#RRGGBB"));
  m_exactEdit->hide();
  connect(m_exactEdit, &QLineEdit::textEdited, this, &ColorPopup::exactTextEdited);
  relayout();
  move(-1000, 0);

  // Another application becoming active, or another window of this one taking the focus, closes it.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (isVisible() && state != Qt::ApplicationActive) closeWithoutPick();
  });
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focus) {
    if (!isVisible() || focus == nullptr) return;
    const QWidget* ownerWindow = m_owner->window();
    if (focus != windowHandle() && (!ownerWindow || focus != ownerWindow->windowHandle())) closeWithoutPick();
  });
}

ColorPopup::~ColorPopup() = default;

ColorPopup::Texts& ColorPopup::texts() {
  static Texts shared;
  return shared;
}

QString ColorPopup::Texts::colorName(int cell) const {
  const char* english = paletteColors()[static_cast<std::size_t>(cell)].name;
  const auto found = colorNames.find(english);
  return found != colorNames.end() ? found->second : QString::fromUtf8(english);
}

bool ColorPopup::isDark(const QPalette& palette) {
  return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

int ColorPopup::edgeWidth() {
  const int frame = QApplication::style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
  return frame >= 2 ? frame : 2;
}

QColor ColorPopup::systemColor(int index) {
  const QPalette pal = QApplication::palette();
  switch (index) {
    case 0:
      return pal.color(QPalette::Button);  // scroll bar
    case 1:
      return pal.color(QPalette::Dark);  // background
    case 2:
      return pal.color(QPalette::Active, QPalette::Highlight);  // active caption
    case 3:
      return pal.color(QPalette::Inactive, QPalette::Highlight);  // inactive caption
    case 4:
      return pal.color(QPalette::Window);  // menu
    case 5:
      return pal.color(QPalette::Base);  // window
    case 6:
      return pal.color(QPalette::Shadow);  // window frame
    case 7:
      return pal.color(QPalette::WindowText);  // menu text
    case 8:
      return pal.color(QPalette::Text);  // window text
    case 9:
      return pal.color(QPalette::Active, QPalette::HighlightedText);  // caption text
    case 10:
    case 11:
      return pal.color(QPalette::Button);  // borders
    case 12:
      return pal.color(QPalette::Mid);  // application workspace
    case 13:
      return pal.color(QPalette::Highlight);
    case 14:
      return pal.color(QPalette::HighlightedText);
    case 15:
      return pal.color(QPalette::Button);  // button face
    case 16:
      return pal.color(QPalette::Dark);  // button shadow
    case 17:
      return pal.color(QPalette::Disabled, QPalette::Text);  // gray text
    case 18:
      return pal.color(QPalette::ButtonText);
    case 19:
      return pal.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20:
      return pal.color(QPalette::Light);  // button highlight
    case 21:
      return pal.color(QPalette::Shadow);  // 3D dark shadow
    case 22:
      return pal.color(QPalette::Midlight);  // 3D light
    case 23:
      return pal.color(QPalette::ToolTipText);
    case 24:
      return pal.color(QPalette::ToolTipBase);
    default:
      return QColor(0, 0, 0);
  }
}

QColor ColorPopup::toQColor(document::Color color) {
  if (isSystemColorCode(color)) return systemColor(systemColorIndex(color));
  return QColor(redOf(color), greenOf(color), blueOf(color));
}

static document::Color systemColorValue(int index) {
  const QColor c = ColorPopup::systemColor(index);
  return document::makeColor(c.red(), c.green(), c.blue());
}

void ColorPopup::setDefaultText(const QString& text) {
  if (text == m_defaultText) return;
  m_defaultText = text;
  relayout();
}

void ColorPopup::setCustomText(const QString& text) {
  if (text == m_customText) return;
  m_customText = text;
  if (text.isEmpty() && m_selected == kCellCustom) m_selected = kCellNone;
  relayout();
}

void ColorPopup::setShowSystemColors(bool show) {
  if (show == m_showSystemColors) return;
  m_showSystemColors = show;
  if (!show && isSystemCell(m_selected)) m_selected = kCellNone;
  if (!show && isSystemCell(m_hover)) m_hover = kCellNone;
  relayout();
}

void ColorPopup::setPopupSpacing(int spacing) {
  spacing = std::max(0, spacing);
  if (spacing == m_spacing) return;
  m_spacing = spacing;
  relayout();
}

void ColorPopup::relayout() {
  PaletteLayoutInput in;
  in.edge = m_edge;
  in.spacing = m_spacing;
  in.hasDefaultCell = !m_defaultText.isEmpty();
  in.hasCustomCell = !m_customText.isEmpty();
  in.showSystemColors = m_showSystemColors;
  in.fieldHeight = in.hasCustomCell ? m_exactEdit->sizeHint().height() : 0;
  if (in.hasDefaultCell || in.hasCustomCell) {
    const QFontMetrics fm(QApplication::font());
    for (const QString& text : {m_defaultText, m_customText}) {
      const QRect r = fm.boundingRect(QRect(0, 0, 10000, 1000), Qt::TextShowMnemonic, text);
      in.textWidth = std::max(in.textWidth, r.width());
      in.textHeight = std::max(in.textHeight, std::max(r.height(), fm.height()));
    }
  }
  m_layout = layoutPalette(in);
  m_greys = buildGreyCells(m_layout.combCellSize);
  m_combs.clear();
  if (!m_layout.hasCustomCell && m_selected == kCellCustom) m_selected = kCellNone;
  if (!m_layout.hasDefaultCell && m_selected == kCellDefault) m_selected = kCellNone;
  if (isVisible()) {
    reposition();
    update();
  } else {
    resize(m_layout.palette.width(), customMode() ? m_layout.customHeight : m_layout.normalHeight);
  }
}

void ColorPopup::ensureCombs() {
  if (m_combs.empty()) m_combs = buildColorCombs(m_centre, m_layout.combRadius, PaletteLayout::kCombLevels);
}

const CombArray& ColorPopup::colorCombs() {
  ensureCombs();
  return m_combs;
}

std::optional<document::Color> ColorPopup::customColor() {
  if (m_customIndex > 0) {
    ensureCombs();
    const auto i = static_cast<std::size_t>(m_customIndex - 1);
    if (i < m_combs.size()) return m_combs[i].color;
  } else if (m_customIndex < 0) {
    const auto i = static_cast<std::size_t>(-m_customIndex - 1);
    if (i < m_greys.size()) return m_greys[i].color;
  }
  return std::nullopt;
}

void ColorPopup::locate(document::Color color) {
  ensureCombs();
  const bool wasCustom = customMode();
  const LocatedColor found = locateColor(color, m_showSystemColors, systemColorValue, m_greys, m_combs);
  if (found.selected == kCellCustom) {
    m_customIndex = found.customIndex;
  } else if (!isColorCell(found.selected)) {
    m_customIndex = 0;  // found nowhere: the custom choice goes
  }
  m_selected = found.selected;
  if (m_selected == kCellCustom && !m_layout.hasCustomCell) m_selected = kCellNone;
  if (m_selected == kCellDefault && !m_layout.hasDefaultCell) m_selected = kCellNone;
  if (isVisible()) {
    if (wasCustom != customMode()) reposition();
    update();
  }
}

void ColorPopup::openWith(document::Color color) {
  m_pressSeen = false;
  m_fieldPress = false;
  m_tracking = Tracking::None;
  m_hover = kCellNone;
  m_keyArea = KeyArea::Cells;
  locate(color);
  m_exactEdit->setAccessibleName(texts().exactColor);
  showExactColor();
  reposition();
  show();
  raise();
  grabMouse();
  grabKeyboard();
}

void ColorPopup::hidePalette() {
  if (QWidget::mouseGrabber() == this) releaseMouse();
  if (QWidget::keyboardGrabber() == this) releaseKeyboard();
  m_tracking = Tracking::None;
  if (m_keyArea == KeyArea::Field) {
    QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(m_exactEdit, &out);
  }
  m_keyArea = KeyArea::Cells;
  QToolTip::hideText();
  hide();
}

void ColorPopup::reposition() {
  const int h = customMode() ? m_layout.customHeight : m_layout.normalHeight;
  const int w = m_layout.palette.width();
  const QRect owner(m_owner->mapToGlobal(QPoint(0, 0)), m_owner->size());
  QScreen* screen = m_owner->screen() ? m_owner->screen() : QGuiApplication::primaryScreen();
  const QRect s = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 20, 1 << 20);
  const Point at = palettePosition({owner.left(), owner.top(), owner.right() + 1, owner.bottom() + 1}, w, h,
                                   {s.left(), s.top(), s.right() + 1, s.bottom() + 1});
  setGeometry(at.x, at.y, w, h);
  m_exactEdit->setGeometry(qrect(m_layout.exactField));
  m_exactEdit->setVisible(customMode() && !m_layout.exactField.isEmpty());
}

void ColorPopup::setHover(int cell) {
  if (cell == m_hover) return;
  const int old = m_hover;
  m_hover = cell;
  repaintCell(old);
  repaintCell(cell);
}

void ColorPopup::enterCustomMode() {
  const int oldBottom = height();
  m_selected = kCellCustom;
  showExactColor();
  if (isVisible()) {
    reposition();
    update(QRect(0, oldBottom - 3, width(), 3));
    update(qrect(m_layout.combArea).united(qrect(m_layout.greyStrip)).united(qrect(m_layout.intensityBar)));
    update(rect().adjusted(0, m_layout.combArea.top, 0, 0));
  }
}

void ColorPopup::select(int cell) {
  if (cell == kCellNone || cell == m_selected) return;
  if (cell == kCellCustom) {
    const int old = m_selected;
    enterCustomMode();
    repaintCell(old);
    repaintCell(kCellCustom);
    return;
  }
  const int old = m_selected;
  m_selected = cell;
  repaintCell(old);
  repaintCell(cell);
}

void ColorPopup::closeWithPick() {
  if (isColorCell(m_selected)) {
    m_owner->setSelectionColor(cellColor(m_selected));
  } else if (m_selected == kCellCustom) {
    if (const auto chosen = customColor()) m_owner->setSelectionColor(*chosen);
  } else {
    m_owner->fireDefaultSelect();
  }
  m_owner->setPopupOpen(false);
}

void ColorPopup::closeWithoutPick() { m_owner->setPopupOpen(false); }

// ---- pointer ----

void ColorPopup::customAreaPress(QPoint pos) {
  const PaletteLayout& l = m_layout;
  const Point pt{pos.x(), pos.y()};
  const Rect& bar = l.intensityBar;
  const bool inBar = bar.contains(pt) && m_tracking == Tracking::None;
  const bool barDrag = m_tracking == Tracking::Bar && pt.x >= bar.left && pt.x < bar.right;
  if (inBar || barDrag) {
    m_tracking = Tracking::Bar;
    const float span = static_cast<float>(bar.bottom - bar.top);
    setIntensity(1.0f - static_cast<float>(pt.y - bar.top) / span);
    return;
  }
  if (l.greyStrip.contains(pt) && (m_tracking == Tracking::None || m_tracking == Tracking::Grey)) {
    m_tracking = Tracking::Grey;
    const int hit = hitGreyCell(m_greys, l.combCellSize, {pt.x - l.greyStrip.left, pt.y - l.greyStrip.top});
    if (hit >= 0) {
      if (m_customIndex > 0) repaintCustomChoice(m_customIndex);
      chooseCustom(greyChoice(hit));
      return;
    }
  }
  if (l.combArea.contains(pt) && (m_tracking == Tracking::None || m_tracking == Tracking::Comb)) {
    m_tracking = Tracking::Comb;
    ensureCombs();
    const Point c = l.combCentre();
    const int hit = hitColorComb(m_combs, l.combCellSize, {pt.x - c.x, pt.y - c.y});
    if (hit >= 0) {
      if (m_customIndex < 0) repaintCustomChoice(m_customIndex);
      chooseCustom(combChoice(hit));
      return;
    }
  }
  chooseCustom(0);
}

void ColorPopup::chooseCustom(int choice) {
  if (choice == m_customIndex) return;
  const int old = m_customIndex;
  m_customIndex = choice;
  if (old != 0) repaintCustomChoice(old);
  if (choice != 0 || old == 0) repaintCustomChoice(choice);
  showExactColor();
}

void ColorPopup::setIntensity(float intensity) {
  m_intensity = std::clamp(intensity, 0.0f, 1.0f);
  m_centre = {m_intensity, m_intensity, m_intensity};
  m_combs.clear();
  if (isVisible()) {
    const Rect& bar = m_layout.intensityBar;
    repaint(qrect(bar).adjusted(-2, -4, 10, 4));
    repaint(qrect(m_layout.combArea));
    repaint(qrect(m_layout.preview));
  }
  showExactColor();
}

bool ColorPopup::forwardToField(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (!customMode() || !m_exactEdit->isVisible()) return false;
  if (!m_fieldPress && !m_exactEdit->geometry().contains(pos)) return false;
  if (event->type() == QEvent::MouseButtonPress) {
    if (event->button() != Qt::LeftButton) return true;
    m_pressSeen = true;
    m_fieldPress = true;
    setKeyArea(KeyArea::Field);
  }
  QMouseEvent forwarded(event->type(), m_exactEdit->mapFrom(this, event->position()), event->globalPosition(),
                        event->button(), event->buttons(), event->modifiers(), event->pointingDevice());
  QCoreApplication::sendEvent(m_exactEdit, &forwarded);
  if (event->type() == QEvent::MouseButtonRelease) m_fieldPress = false;
  return true;
}

void ColorPopup::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!forwardToField(event)) mousePressEvent(event);
}

void ColorPopup::mouseMoveEvent(QMouseEvent* event) {
  if (forwardToField(event)) return;
  const QPoint pos = event->position().toPoint();
  const int cell = hitTestCell(m_layout, {pos.x(), pos.y()});
  setHover(cell);
  const bool held = leftHeld(event->buttons());
  if (cell == kCellNone && rect().contains(pos) && held) customAreaPress(pos);
  updateHint(pos, held);
}

void ColorPopup::mousePressEvent(QMouseEvent* event) {
  if (forwardToField(event)) return;
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  if (!rect().contains(pos)) {
    closeWithoutPick();
    return;
  }
  m_pressSeen = true;
  const int cell = hitTestCell(m_layout, {pos.x(), pos.y()});
  if (cell != m_hover) {
    setHover(cell);
  } else {
    repaintCell(cell);  // the pressed look
  }
  if (cell == kCellNone) customAreaPress(pos);
  if (m_keyArea == KeyArea::Field) setKeyArea(KeyArea::Cells);
}

void ColorPopup::mouseReleaseEvent(QMouseEvent* event) {
  if (forwardToField(event)) return;
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  const int cell = hitTestCell(m_layout, {pos.x(), pos.y()});
  const Tracking mode = m_tracking;
  m_tracking = Tracking::None;
  // The release of the press that opened the palette picks only when it ends on a cell away from the
  // button: a palette moved up over its button would otherwise take the cell under the button at once.
  if (!m_pressSeen) {
    const QRect ownerOnScreen(m_owner->mapToGlobal(QPoint(0, 0)), m_owner->size());
    if (cell == kCellNone || ownerOnScreen.contains(event->globalPosition().toPoint())) return;
  }
  select(cell);
  const bool customPick = m_selected == kCellCustom && (mode == Tracking::Comb || mode == Tracking::Grey);
  if (customPick || isColorCell(m_selected) || m_selected == kCellDefault) {
    closeWithPick();
  } else {
    repaintCell(m_hover);
  }
}

// ---- hints ----

void ColorPopup::updateHint(QPoint pos, bool held) {
  if (!m_owner->hintsShown()) return;
  const Point pt{pos.x(), pos.y()};
  const int cell = hitTestCell(m_layout, pt);
  QString text;
  QRect area(pos, QSize(1, 1));
  QPoint at = mapToGlobal(pos);
  int timeout = -1;
  if (isColorCell(cell)) {
    text = texts().colorName(cell);
    area = qrect(cellRect(m_layout, cell));
  } else if (cell == kCellDefault || cell == kCellCustom) {
    text = m_owner->hintFor(cell);
    if (text.isEmpty()) text = m_owner->toolTip();
    area = qrect(cellRect(m_layout, cell));
  } else if (customMode() && m_layout.intensityBar.contains(pt)) {
    text = texts().intensity.arg(static_cast<int>(std::lrint(m_intensity * 100.0f)));
    at = mapToGlobal(QPoint(m_layout.intensityBar.right, pos.y() - 8));
    timeout = kHintMs;
  } else {
    std::optional<document::Color> colour;
    if (customMode()) {
      if (held && m_tracking != Tracking::None && m_tracking != Tracking::Bar) {
        colour = customColor();
      } else {
        const Point c = m_layout.combCentre();
        const int g = hitGreyCell(m_greys, m_layout.combCellSize,
                                  {pt.x - m_layout.greyStrip.left, pt.y - m_layout.greyStrip.top});
        ensureCombs();
        const int k = hitColorComb(m_combs, m_layout.combCellSize, {pt.x - c.x, pt.y - c.y});
        if (g >= 0 && m_layout.greyStrip.contains(pt)) {
          colour = m_greys[static_cast<std::size_t>(g)].color;
        } else if (k >= 0 && m_layout.combArea.contains(pt)) {
          colour = m_combs[static_cast<std::size_t>(k)].color;
        }
      }
    }
    if (colour) {
      text = colorHint(*colour);
      timeout = kHintMs;
    } else {
      text = m_owner->hintFor(kCellNone);
    }
  }
  if (text.isEmpty()) {
    if (!m_lastHint.isEmpty()) QToolTip::hideText();
  } else if (text != m_lastHint || timeout > 0) {
    QToolTip::showText(at, text, this, area, timeout);
  }
  m_lastHint = text;
}

QString ColorPopup::colorHint(document::Color colour) const {
  return texts().colorHint
      .arg(redOf(colour))
      .arg(greenOf(colour))
      .arg(blueOf(colour))
      .arg(QString::fromStdString(hexColorText(colour)));
}

void ColorPopup::showKeyHint() {
  if (!m_owner->hintsShown() || !isVisible()) return;
  QString text;
  QPoint at;
  int timeout = -1;
  const PaletteLayout& l = m_layout;
  switch (m_keyArea) {
    case KeyArea::Cells: {
      const int cell = m_hover != kCellNone ? m_hover : m_selected;
      if (isColorCell(cell)) {
        text = texts().colorName(cell);
      } else if (cell == kCellDefault || cell == kCellCustom) {
        text = m_owner->hintFor(cell);
        if (text.isEmpty()) text = m_owner->toolTip();
      }
      const Rect r = cellRect(l, cell);
      at = QPoint(r.left, r.bottom);
      break;
    }
    case KeyArea::Combs:
    case KeyArea::Greys: {
      if (const auto colour = customColor()) text = colorHint(*colour);
      Point p{l.greyStrip.left, l.greyStrip.bottom};
      if (m_customIndex > 0) {
        const CombEntry& e = colorCombs()[static_cast<std::size_t>(m_customIndex - 1)];
        p = {l.combCentre().x + e.x, l.combCentre().y + e.y + l.combCellSize / 2};
      } else if (m_customIndex < 0) {
        const CombEntry& g = m_greys[static_cast<std::size_t>(-m_customIndex - 1)];
        p = {l.greyStrip.left + g.x, l.greyStrip.top + g.y + l.combCellSize / 2};
      }
      at = QPoint(p.x, p.y);
      timeout = kHintMs;
      break;
    }
    case KeyArea::Bar: {
      text = texts().intensity.arg(static_cast<int>(std::lrint(m_intensity * 100.0f)));
      const int h = l.intensityBar.height() - 1;
      at = QPoint(l.intensityBar.right, l.intensityBar.top + static_cast<int>(std::lrint((1.0 - m_intensity) * h)) - 8);
      timeout = kHintMs;
      break;
    }
    case KeyArea::Field:
      text = m_exactValid ? texts().exactColor : texts().invalidColor;
      at = m_exactEdit->geometry().bottomLeft();
      break;
  }
  if (text.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(mapToGlobal(at), text, this, QRect(), timeout);
  }
  m_lastHint = text;
}

void ColorPopup::showEvent(QShowEvent* event) {
  m_lastHint.clear();
  QWidget::showEvent(event);
}

}  // namespace corvantel::gui
