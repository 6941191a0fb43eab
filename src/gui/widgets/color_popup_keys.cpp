// The colour palette's keys: moving among the cells, the custom area (honeycomb, greys, intensity) and
// the exact colour field, whose text the palette edits while it keeps the keyboard grab.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>

#include "core/palette/color_palette_keys.h"
#include "core/palette/color_palette_locate.h"
#include "core/palette/color_palette_table.h"
#include "core/palette/color_text.h"
#include "gui/widgets/color_button.h"
#include "gui/widgets/color_popup.h"

namespace corvantel::gui {

using namespace corvantel::palette;

namespace {

constexpr float kIntensityStep = 0.05f;
constexpr float kIntensityPage = 0.25f;

bool isBackTab(int key, Qt::KeyboardModifiers modifiers) {
  return key == Qt::Key_Backtab || (key == Qt::Key_Tab && modifiers.testFlag(Qt::ShiftModifier));
}

}  // namespace

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

}  // namespace corvantel::gui
