#include "gui/widgets/color_popup.h"

#include <qdrawutil.h>

#include <QApplication>
#include <QGuiApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QToolTip>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "core/palette/color_palette_keys.h"
#include "core/palette/color_palette_locate.h"
#include "core/palette/color_palette_table.h"
#include "core/palette/color_text.h"
#include "gui/widgets/color_button.h"

namespace corvantel::gui {

using namespace corvantel::palette;

namespace {

constexpr int kHintMs = 5000;

// On a surface of more than one device pixel per pixel the hexagon keeps its exact corners instead of
// corners rounded to whole pixels.
QPolygonF hexagonAt(int cx, int cy, int size, qreal dpr) {
  QPolygonF poly;
  if (dpr == 1.0) {
    for (const Point& v : hexagonPoints(cx, cy, size)) poly << QPointF(v.x, v.y);
  } else {
    for (const PointF& o : hexagonOffsets()) poly << QPointF(cx + size * o.x, cy + size * o.y);
  }
  return poly;
}

constexpr float kIntensityStep = 0.05f;
constexpr float kIntensityPage = 0.25f;

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

QRect ColorPopup::qrect(const Rect& r) const { return QRect(r.left, r.top, r.width(), r.height()); }

document::Color ColorPopup::cellColor(int cell) const {
  return isColorCell(cell) ? paletteColors()[static_cast<std::size_t>(cell)].value : 0;
}

// ---- painting ----

void ColorPopup::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  paintPalette(p, event->rect());
}

void ColorPopup::paintPalette(QPainter& p, const QRect& clip) {
  const QPalette& pal = palette();
  p.setFont(QApplication::font());
  ensureCombs();
  p.fillRect(clip, pal.color(QPalette::Button));
  const int e = m_layout.edge;
  if (m_layout.hasDefaultCell && clip.intersects(qrect(m_layout.defaultCell))) paintTextCell(p, kCellDefault);
  for (int cell = 0; cell < kStandardCellCount; ++cell) {
    if (clip.intersects(qrect(cellRect(m_layout, cell)))) paintCell(p, cell);
  }
  if (m_layout.showSystemColors) {
    const int y = 5 * PaletteLayout::kCellSize + 3 * e + (m_layout.hasDefaultCell ? m_layout.cellTextHeight : 0);
    paintEtchedLine(p, e + m_layout.spacing, m_layout.palette.width() - e - m_layout.spacing, y);
    for (int cell = kFirstSystemCell; cell <= kLastSystemCell; ++cell) {
      if (clip.intersects(qrect(cellRect(m_layout, cell)))) paintCell(p, cell);
    }
  }
  if (m_layout.hasCustomCell && clip.intersects(qrect(m_layout.customCell).adjusted(0, -2 * e, 0, 0))) {
    paintTextCell(p, kCellCustom);
  }
  if (customMode() && clip.bottom() >= m_layout.combArea.top) paintCustomArea(p);
  qDrawWinPanel(&p, rect(), pal, false);
}

void ColorPopup::paintEtchedLine(QPainter& p, int x1, int x2, int y) {
  p.setPen(palette().color(QPalette::Dark));
  p.drawLine(x1, y, x2 - 1, y);
  p.setPen(palette().color(QPalette::Light));
  p.drawLine(x1, y + 1, x2 - 1, y + 1);
}

void ColorPopup::paintStateFrame(QPainter& p, const QRect& r, int cell) {
  const QPalette& pal = palette();
  const bool selected = cell == m_selected;
  const bool hover = cell == m_hover;
  const QColor selectedFace = isDark(pal) ? pal.color(QPalette::Highlight) : pal.color(QPalette::Light);
  p.fillRect(r, selected && !hover ? selectedFace : pal.color(QPalette::Button));
  const bool pressed = hover && leftHeld(QApplication::mouseButtons());
  if (selected || pressed) {
    qDrawShadePanel(&p, r, pal, true, 1, nullptr);
  } else if (hover) {
    qDrawShadePanel(&p, r, pal, false, 1, nullptr);
  }
}

void ColorPopup::paintCell(QPainter& p, int cell) {
  const QRect r = qrect(cellRect(m_layout, cell));
  paintStateFrame(p, r, cell);
  const int inset = m_layout.edge + 1;
  const QRect swatch = r.adjusted(inset, inset, -inset, -inset);
  p.setPen(QColor(128, 128, 128));
  p.setBrush(toQColor(cellColor(cell)));
  p.drawRect(swatch.adjusted(0, 0, -1, -1));
  p.setBrush(Qt::NoBrush);
}

void ColorPopup::paintTextCell(QPainter& p, int cell) {
  const QPalette& pal = palette();
  const int e = m_layout.edge;
  QRect r = qrect(cell == kCellDefault ? m_layout.defaultCell : m_layout.customCell);
  p.fillRect(r, pal.color(QPalette::Button));
  if (cell == kCellDefault) {
    r.adjust(1, 1, -1, -1);
    paintStateFrame(p, r, cell);
    p.setPen(pal.color(QPalette::Dark));
    const int inset = e + 1;
    p.drawRect(r.adjusted(inset, inset, -inset - 1, -inset - 1));
  } else {
    paintEtchedLine(p, r.left(), r.right() + 1, r.top() - 2 * e);
    r.adjust(1, 0, -1, 0);
    paintStateFrame(p, r, cell);
  }
  p.setPen(pal.color(QPalette::ButtonText));
  p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
             cell == kCellDefault ? m_defaultText : m_customText);
  if (cell == kCellCustom) {
    const QRect preview = qrect(m_layout.preview);
    if (const auto chosen = customColor()) {
      p.setPen(QColor(128, 128, 128));
      p.setBrush(toQColor(*chosen));
      p.drawRect(preview.adjusted(0, 0, -1, -1));
      p.setBrush(Qt::NoBrush);
    } else {
      p.setPen(pal.color(QPalette::Dark));
      p.drawRect(preview.adjusted(0, 0, -1, -1));
    }
  }
}

void ColorPopup::paintCustomArea(QPainter& p) {
  ensureCombs();
  const PaletteLayout& l = m_layout;
  const int top = l.combArea.top;
  const QSize size(l.palette.width(), l.combArea.height() + l.greyStrip.height() + 2 * l.edge);
  // Composed at the target's device pixel ratio, so that a high-density screen gets sharp hexagons.
  const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : devicePixelRatioF();
  const QSize physical(static_cast<int>(std::ceil(size.width() * dpr)), static_cast<int>(std::ceil(size.height() * dpr)));
  if (m_customSurface.size() != physical) m_customSurface = QImage(physical, QImage::Format_RGB32);
  m_customSurface.setDevicePixelRatio(dpr);
  m_customSurface.fill(palette().color(QPalette::Button));

  QPainter s(&m_customSurface);
  s.translate(0, -top);
  s.setPen(Qt::NoPen);
  const int c = l.combCellSize;
  const Point centre = l.combCentre();
  for (const CombEntry& e : m_combs) {
    s.setBrush(toQColor(e.color));
    s.drawPolygon(hexagonAt(centre.x + e.x, centre.y + e.y, c, dpr));
  }
  for (std::size_t i = 0; i < m_greys.size(); ++i) {
    const CombEntry& g = m_greys[i];
    s.setBrush(toQColor(g.color));
    s.drawPolygon(hexagonAt(l.greyStrip.left + g.x, l.greyStrip.top + g.y, greyCellSize(static_cast<int>(i), c), dpr));
  }
  // The chosen cell: a 2-pixel outline that inverts what is under it.
  s.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  s.setPen(QPen(Qt::white, 2));
  s.setBrush(Qt::NoBrush);
  if (m_customIndex > 0 && static_cast<std::size_t>(m_customIndex - 1) < m_combs.size()) {
    const CombEntry& e = m_combs[static_cast<std::size_t>(m_customIndex - 1)];
    s.drawPolygon(hexagonAt(centre.x + e.x, centre.y + e.y, c, dpr));
  } else if (m_customIndex < 0 && static_cast<std::size_t>(-m_customIndex - 1) < m_greys.size()) {
    const int i = -m_customIndex - 1;
    const CombEntry& g = m_greys[static_cast<std::size_t>(i)];
    s.drawPolygon(hexagonAt(l.greyStrip.left + g.x, l.greyStrip.top + g.y, greyCellSize(i, c), dpr));
  }
  s.setCompositionMode(QPainter::CompositionMode_SourceOver);

  // The bar: one grey level for every device pixel row, white at the top, black at the bottom.
  const Rect& bar = l.intensityBar;
  const int h = bar.height() - 1;
  const int rows = static_cast<int>(std::lrint(bar.height() * dpr));
  for (int t = 0; t < rows; ++t) {
    const int grey = rows > 1 ? static_cast<int>(std::lrint((rows - 1 - t) * 255.0 / (rows - 1))) : 255;
    s.fillRect(QRectF(bar.left, bar.top + t / dpr, 10, 1 / dpr), QColor(grey, grey, grey));
  }
  const QPoint tip(bar.left + 11, bar.top + static_cast<int>(std::lrint((1.0 - m_intensity) * h)));
  s.setPen(Qt::NoPen);
  s.setBrush(palette().color(QPalette::ButtonText));  // black on the light faces, light on dark ones
  s.drawPolygon(QPolygon({tip, tip + QPoint(5, -3), tip + QPoint(5, 3)}));
  if (m_keyArea == KeyArea::Bar) {
    // The keys work the bar: a ring in the highlight colour round the bar and its pointer.
    s.setPen(palette().color(QPalette::Highlight));
    s.setBrush(Qt::NoBrush);
    s.drawRect(qrect(bar).adjusted(-2, -4, -2, 3));
  }
  s.end();
  p.drawImage(0, top, m_customSurface);
}

// ---- selection and repainting ----

void ColorPopup::repaintCell(int cell) {
  if (!isVisible() || cell == kCellNone) return;
  QRect r;
  if (cell == kCellCustom) {
    r = qrect(m_layout.customCell).adjusted(0, -2 * m_layout.edge, 0, 0);
  } else {
    r = qrect(cellRect(m_layout, cell));
  }
  if (!r.isEmpty()) repaint(r);
}

void ColorPopup::repaintCustomChoice(int choice) {
  if (!isVisible()) return;
  if (choice > 0) repaint(qrect(m_layout.combArea));
  if (choice < 0) repaint(qrect(m_layout.greyStrip));
  repaint(qrect(m_layout.preview));
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

// ---- keyboard ----

void ColorPopup::keyPressEvent(QKeyEvent* event) {
  if (handleKey(event->key(), event->modifiers(), event->text())) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool ColorPopup::handleKey(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  if (modifiers.testFlag(Qt::AltModifier)) {
    char letter = 0;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) letter = static_cast<char>('a' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9) letter = static_cast<char>('0' + (key - Qt::Key_0));
    if (letter == 0 && text.size() == 1 && text[0].unicode() < 0x80) letter = text[0].toLower().toLatin1();
    if (letter != 0) {
      if (m_layout.hasDefaultCell && captionAccelerator(m_defaultText.toStdString()) == letter) {
        m_selected = kCellDefault;
        closeWithPick();
        return true;
      }
      if (m_layout.hasCustomCell && captionAccelerator(m_customText.toStdString()) == letter) {
        if (m_selected != kCellCustom) select(kCellCustom);
        return true;
      }
    }
  }
  if (customMode() && m_keyArea != KeyArea::Cells) return handleCustomKey(key, modifiers, text);
  return handleCellKey(key, modifiers);
}

namespace {

bool isBackTab(int key, Qt::KeyboardModifiers modifiers) {
  return key == Qt::Key_Backtab || (key == Qt::Key_Tab && modifiers.testFlag(Qt::ShiftModifier));
}

}  // namespace

bool ColorPopup::handleCellKey(int key, Qt::KeyboardModifiers modifiers) {
  const int current = m_hover != kCellNone ? m_hover : m_selected;
  PaletteMove move = PaletteMove::Left;
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      // In custom mode Tab goes on to the honeycomb (Shift+Tab to the exact colour field).
      if (customMode()) {
        setKeyArea(isBackTab(key, modifiers) ? (m_exactEdit->isVisible() ? KeyArea::Field : KeyArea::Bar)
                                             : KeyArea::Combs);
      }
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (current == kCellCustom && !customMode()) {
        // More colors opens the custom area; the keys go on into the honeycomb.
        select(kCellCustom);
        setKeyArea(KeyArea::Combs);
        return true;
      }
      m_selected = current;
      closeWithPick();
      return true;
    case Qt::Key_Escape:
      closeWithoutPick();
      return true;
    case Qt::Key_Left:
      move = PaletteMove::Left;
      break;
    case Qt::Key_Right:
      move = PaletteMove::Right;
      break;
    case Qt::Key_Up:
      move = PaletteMove::Up;
      break;
    case Qt::Key_Down:
      if (customMode() && current == kCellCustom) {
        setKeyArea(KeyArea::Combs);
        return true;
      }
      move = PaletteMove::Down;
      break;
    default:
      return false;
  }
  setHover(movePaletteCell(m_layout, current, move));
  showKeyHint();
  return true;
}

bool ColorPopup::handleCustomKey(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
    static constexpr KeyArea kOrder[] = {KeyArea::Cells, KeyArea::Combs, KeyArea::Greys, KeyArea::Bar, KeyArea::Field};
    const int count = m_exactEdit->isVisible() ? 5 : 4;
    int i = 0;
    while (kOrder[i] != m_keyArea) ++i;
    i = (i + (isBackTab(key, modifiers) ? count - 1 : 1)) % count;
    setKeyArea(kOrder[i]);
    if (kOrder[i] == KeyArea::Cells) setHover(kCellCustom);
    return true;
  }
  if (key == Qt::Key_Escape) {
    closeWithoutPick();
    return true;
  }
  const PaletteLayout& l = m_layout;
  const int c = l.combCellSize;
  const Point centre = l.combCentre();
  if (m_keyArea == KeyArea::Field) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      takeExactColor();
    } else if (key == Qt::Key_Up) {
      setKeyArea(KeyArea::Greys);
    } else if (key != Qt::Key_Down) {
      // Everything else is typing.
      QKeyEvent typed(QEvent::KeyPress, key, modifiers, text);
      QCoreApplication::sendEvent(m_exactEdit, &typed);
    }
    return true;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
    closeWithPick();
    return true;
  }
  ensureCombs();
  switch (m_keyArea) {
    case KeyArea::Combs: {
      const int from = m_customIndex > 0 ? m_customIndex - 1 : 0;
      PaletteMove move;
      switch (key) {
        case Qt::Key_Left: move = PaletteMove::Left; break;
        case Qt::Key_Right: move = PaletteMove::Right; break;
        case Qt::Key_Up: move = PaletteMove::Up; break;
        case Qt::Key_Down: move = PaletteMove::Down; break;
        default: return false;
      }
      const int to = moveAmongCombs(m_combs, c, from, move);
      if (to >= 0) {
        chooseCustom(combChoice(to));
      } else if (move == PaletteMove::Up) {
        setKeyArea(KeyArea::Cells);
        setHover(kCellCustom);
      } else if (move == PaletteMove::Down) {
        const CombEntry& e = m_combs[static_cast<std::size_t>(from)];
        const Point at{centre.x + e.x - l.greyStrip.left, centre.y + e.y - l.greyStrip.top};
        chooseCustom(greyChoice(std::max(0, nearestComb(m_greys, at))));
        setKeyArea(KeyArea::Greys);
      } else if (move == PaletteMove::Right) {
        setKeyArea(KeyArea::Bar);
      }
      break;
    }
    case KeyArea::Greys: {
      const int last = static_cast<int>(m_greys.size()) - 1;
      const int from = m_customIndex < 0 ? -m_customIndex - 1 : 0;
      if (key == Qt::Key_Left) {
        chooseCustom(greyChoice(std::max(0, from - 1)));
      } else if (key == Qt::Key_Right) {
        if (from < last) {
          chooseCustom(greyChoice(from + 1));
        } else {
          setKeyArea(KeyArea::Bar);
        }
      } else if (key == Qt::Key_Up) {
        const CombEntry& g = m_greys[static_cast<std::size_t>(from)];
        const Point at{l.greyStrip.left + g.x - centre.x, l.greyStrip.top + g.y - centre.y};
        chooseCustom(combChoice(std::max(0, nearestComb(m_combs, at))));
        setKeyArea(KeyArea::Combs);
      } else if (key == Qt::Key_Down) {
        if (m_exactEdit->isVisible()) setKeyArea(KeyArea::Field);
      } else {
        return false;
      }
      break;
    }
    case KeyArea::Bar:
      switch (key) {
        case Qt::Key_Up: setIntensity(m_intensity + kIntensityStep); break;
        case Qt::Key_Down: setIntensity(m_intensity - kIntensityStep); break;
        case Qt::Key_PageUp: setIntensity(m_intensity + kIntensityPage); break;
        case Qt::Key_PageDown: setIntensity(m_intensity - kIntensityPage); break;
        case Qt::Key_Home: setIntensity(1.0f); break;
        case Qt::Key_End: setIntensity(0.0f); break;
        case Qt::Key_Left: setKeyArea(KeyArea::Combs); break;
        default: return false;
      }
      break;
    case KeyArea::Cells:
    case KeyArea::Field:
      return false;
  }
  showKeyHint();
  return true;
}

void ColorPopup::setKeyArea(KeyArea area) {
  if (area == m_keyArea) return;
  const KeyArea old = m_keyArea;
  m_keyArea = area;
  if (old == KeyArea::Field) {
    QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(m_exactEdit, &out);
  }
  if (area != KeyArea::Cells) setHover(kCellNone);
  // The keyboard's place in the honeycomb and the grey row is the chosen hexagon.
  if (area == KeyArea::Combs && m_customIndex <= 0) chooseCustom(combChoice(0));
  if (area == KeyArea::Greys && m_customIndex >= 0) chooseCustom(greyChoice(0));
  if (area == KeyArea::Field) {
    // The palette never holds the focus; the field is told it has the keys, so that it shows its cursor.
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(m_exactEdit, &in);
  }
  if (isVisible() && (old == KeyArea::Bar || area == KeyArea::Bar)) {
    repaint(qrect(m_layout.intensityBar).adjusted(-2, -4, 10, 4));
  }
  showKeyHint();
}

// ---- the exact colour field ----

void ColorPopup::showExactColor() {
  if (m_keyArea == KeyArea::Field) return;  // never over what the user is typing
  std::optional<document::Color> colour = customColor();
  const document::Color own = m_owner->selectionColor();
  if (!colour && !customMode() && own != kColorNone && own != kColorDefault && !isSystemColorCode(own)) colour = own;
  m_exactEdit->setText(colour ? QString::fromStdString(hexColorText(*colour)) : QString());
  exactTextEdited();
}

void ColorPopup::exactTextEdited() {
  const QString text = m_exactEdit->text().trimmed();
  m_exactValid = text.isEmpty() || parseColorText(text.toStdString()).has_value();
  QPalette pal = palette();
  if (!m_exactValid) pal.setColor(QPalette::Text, isDark(pal) ? QColor(255, 110, 110) : QColor(192, 0, 0));
  m_exactEdit->setPalette(pal);
  const QString hint = m_exactValid ? texts().exactColor : texts().invalidColor;
  m_exactEdit->setToolTip(hint);
  m_exactEdit->setAccessibleDescription(m_exactValid ? QString() : texts().invalidColor);
}

void ColorPopup::takeExactColor() {
  const std::optional<document::Color> colour = parseColorText(m_exactEdit->text().toStdString());
  if (!colour) {
    // Not a colour: shown as such, and nothing changes.
    m_exactValid = false;
    exactTextEdited();
    m_exactValid = false;
    if (m_owner->hintsShown()) QToolTip::showText(m_exactEdit->mapToGlobal(QPoint(0, m_exactEdit->height())), texts().invalidColor, this);
    return;
  }
  m_owner->setSelectionColor(*colour);
  m_owner->setPopupOpen(false);
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
