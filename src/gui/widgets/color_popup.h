#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <map>
#include <optional>
#include <string>

class QLineEdit;

#include "core/palette/color_combs.h"
#include "core/palette/color_palette_layout.h"
#include "core/palette/color_palette_table.h"

namespace corvantel::gui {

class ColorButton;

// The drop-down palette of a ColorButton: 40 named colours, optionally the 25 desktop colours, a
// Default cell and a custom cell that opens the honeycomb of custom colours below. A borderless
// top-level window that never takes the activation; its owner opens it, holds the pointer grab for it
// and receives the picked colour.
// (Drawing in color_popup_paint.cpp, keys and the exact colour field in color_popup_keys.cpp.)
class ColorPopup : public QWidget {
  Q_OBJECT
 public:
  enum class Tracking { None, Comb, Grey, Bar };
  // Where the keys act: the cells of the grid (and Default, More colors), or in custom mode the
  // honeycomb, the grey row, the intensity bar or the exact colour field.
  enum class KeyArea { Cells, Combs, Greys, Bar, Field };

  // Texts of the palette that follow the program's language; every palette shares them.
  struct Texts {
    QString exactColor = QStringLiteral("Exact color");
    QString invalidColor = QStringLiteral("Not a color: type #RRGGBB, #RGB or R, G, B");
    QString intensity = QStringLiteral("Intensity: %1%");
    QString colorHint = QStringLiteral("red: %1, green: %2, blue: %3 (%4)");
    // The colour cells' names by their English names; a name missing here is shown in English.
    std::map<std::string, QString> colorNames;
    QString colorName(int cell) const;
  };
  static Texts& texts();

  explicit ColorPopup(ColorButton* owner);
  ~ColorPopup() override;

  QString defaultText() const { return m_defaultText; }
  void setDefaultText(const QString& text);
  QString customText() const { return m_customText; }
  void setCustomText(const QString& text);
  bool showSystemColors() const { return m_showSystemColors; }
  void setShowSystemColors(bool show);
  int popupSpacing() const { return m_spacing; }
  void setPopupSpacing(int spacing);

  // Measures the texts and lays the palette out again.
  void relayout();
  // Selects the cell of `color` (custom mode when it is a grey or comb), then positions and shows.
  void openWith(document::Color color);
  // Finds `color` again while open (the owner's colour changed from code).
  void locate(document::Color color);
  void hidePalette();
  // Places the palette below (or above) the owner and sizes it for the current mode.
  void reposition();

  int selectedCell() const { return m_selected; }
  int hoverCell() const { return m_hover; }
  int customIndex() const { return m_customIndex; }
  bool customMode() const { return m_selected == palette::kCellCustom; }
  float intensity() const { return m_intensity; }
  KeyArea keyArea() const { return m_keyArea; }
  // Whether the exact colour field's text is a colour (an empty field counts as one: it takes nothing).
  bool exactTextValid() const { return m_exactValid; }
  const palette::PaletteLayout& paletteLayout() const { return m_layout; }
  const palette::CombArray& colorCombs();
  const palette::CombArray& greyCells() const { return m_greys; }
  // The colour of the custom choice, when there is one.
  std::optional<document::Color> customColor();

  // Paints the parts of the palette that meet `clip`.
  void paintPalette(QPainter& painter, const QRect& clip);

  // The desktop colour of a system colour index 0..24, and any palette value as a QColor.
  static QColor systemColor(int index);
  static QColor toQColor(document::Color color);
  // Whether a palette is a dark one (light text on dark faces): then the selected cell and the
  // pointers take roles that stay visible on it.
  static bool isDark(const QPalette& palette);
  // The 3D edge width: the style's default frame width, 2 where the style has none.
  static int edgeWidth();

  // Handles a key while open; false for keys the palette does not use.
  bool handleKey(int key, Qt::KeyboardModifiers modifiers, const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void paintCell(QPainter& p, int cell);
  void paintStateFrame(QPainter& p, const QRect& r, int cell);
  void paintTextCell(QPainter& p, int cell);
  void paintCustomArea(QPainter& p);
  void paintEtchedLine(QPainter& p, int x1, int x2, int y);
  void ensureCombs();
  void repaintCell(int cell);
  void repaintCustomChoice(int choice);
  void setHover(int cell);
  void select(int cell);
  void enterCustomMode();
  void customAreaPress(QPoint pos);
  void closeWithPick();
  void closeWithoutPick();
  void updateHint(QPoint pos, bool leftHeld);
  // Shows the hint of the keyboard's place: a cell's name, a hexagon's values, the intensity.
  void showKeyHint();
  QString colorHint(document::Color color) const;
  bool handleCellKey(int key, Qt::KeyboardModifiers modifiers);
  bool handleCustomKey(int key, Qt::KeyboardModifiers modifiers, const QString& text);
  void setKeyArea(KeyArea area);
  void chooseCustom(int choice);
  void setIntensity(float intensity);
  void showExactColor();
  void exactTextEdited();
  void takeExactColor();
  bool forwardToField(QMouseEvent* event);
  QRect qrect(const palette::Rect& r) const;
  document::Color cellColor(int cell) const;

  ColorButton* m_owner;
  QString m_defaultText;
  QString m_customText;
  int m_edge = 2;
  int m_spacing = 8;
  bool m_showSystemColors = false;
  palette::PaletteLayout m_layout;
  int m_selected = palette::kCellNone;
  int m_hover = palette::kCellNone;
  palette::CombArray m_combs;  // empty: rebuilt on demand
  palette::CombArray m_greys;
  palette::RgbF m_centre{1.0f, 1.0f, 1.0f};
  float m_intensity = 1.0f;
  int m_customIndex = 0;
  Tracking m_tracking = Tracking::None;
  bool m_pressSeen = false;  // a left press reached the palette since it opened
  QImage m_customSurface;
  KeyArea m_keyArea = KeyArea::Cells;
  QLineEdit* m_exactEdit = nullptr;
  bool m_exactValid = true;
  bool m_fieldPress = false;  // a press in the field goes on to it until the release
  QString m_lastHint;
};

}  // namespace corvantel::gui
