#pragma once

#include <QPixmap>
#include <QWidget>

#include "core/document/project_settings.h"
#include "core/palette/color_button_face.h"
#include "gui/i18n/caption_table.h"

namespace corvantel::gui {

class ColorPopup;
class ColorGrabReceiver;

// The colour picker button: a small push button split in two. The face shows SelectionColor in an
// indicator; a press on the arrow section at the right opens the button's palette (ColorPopup).
class ColorButton : public QWidget {
  Q_OBJECT
 public:
  using ButtonLayout = palette::ButtonLayout;
  using IndicatorBorder = palette::IndicatorBorder;
  // The size of every colour button of the program.
  static constexpr int kWidth = 57;
  static constexpr int kHeight = 22;

  explicit ColorButton(QWidget* parent = nullptr);
  ~ColorButton() override;

  document::Color selectionColor() const { return m_selectionColor; }
  // Sets the colour; fires colorChanged when it differs.
  void setSelectionColor(document::Color color);

  QString customText() const;
  void setCustomText(const QString& text);
  QString defaultText() const;
  void setDefaultText(const QString& text);
  bool showSystemColors() const;
  void setShowSystemColors(bool show);
  int popupSpacing() const;
  void setPopupSpacing(int spacing);

  bool isPopupOpen() const { return m_popupOpen; }
  void setPopupOpen(bool open);

  bool allowAllUp() const { return m_allowAllUp; }
  void setAllowAllUp(bool allow);
  bool isDown() const { return m_down; }
  void setDown(bool down);
  int groupIndex() const { return m_groupIndex; }
  void setGroupIndex(int index);
  // The arrow's colour; until one is set the arrow takes the palette's button text colour (black on
  // the usual light faces), so that it stays visible in a dark theme.
  document::Color dropDownArrowColor() const { return m_arrowColor; }
  void setDropDownArrowColor(document::Color color);
  int dropDownWidth() const { return m_dropDownWidth; }
  void setDropDownWidth(int width);
  bool isFlat() const { return m_flat; }
  void setFlat(bool flat);
  bool isTransparent() const { return m_transparent; }
  void setTransparent(bool transparent);
  IndicatorBorder indicatorBorder() const { return m_indicatorBorder; }
  void setIndicatorBorder(IndicatorBorder border);
  ButtonLayout buttonLayout() const { return m_layout; }
  void setButtonLayout(ButtonLayout layout);
  int margin() const { return m_margin; }
  void setMargin(int margin);  // -1 centres; values below -1 are refused
  int spacing() const { return m_spacing; }
  void setSpacing(int spacing);
  QPixmap glyph() const { return m_glyph; }
  void setGlyph(const QPixmap& glyph);
  int numGlyphs() const { return m_numGlyphs; }
  void setNumGlyphs(int count);  // 1 to 4
  QString caption() const { return m_caption; }
  void setCaption(const QString& caption);
  // Whether the palette shows hints (the cells' names, hintRequested texts, custom colour values).
  bool hintsShown() const { return m_showHint; }
  void setHintsShown(bool show) { m_showHint = show; }

  ColorPopup* popup() const { return m_popup; }
  // Where each part of the face goes in the current state.
  palette::ButtonFace faceLayout() const;
  // Paints the whole button; paintEvent only calls this.
  void paintButton(QPainter& painter);

  // Used by the palette: hintRequested's text for the Default (-3), custom (-2) or no (-1) cell.
  QString hintFor(int cell);
  void fireDefaultSelect();

  // The caption of the button's row: the text of the label whose buddy it is, else of the label at the
  // start of its row in its parent's grid. Screen readers read it as the button's name.
  QString rowCaption() const;
  // The chosen colour as the button's accessible value: "#RRGGBB", or "none" / "default".
  QString colorText() const;

  // The texts of the palettes that follow the program's language, for the window translation.
  static CaptionTable paletteCaptions();

  QSize sizeHint() const override { return {kWidth, kHeight}; }

 Q_SIGNALS:
  void colorChanged();
  void defaultSelected();
  // Before the palette opens or closes; set *allowed to false to veto.
  void dropDownChanging(bool* allowed);
  void dropDownChanged();
  // The palette asks for a hint for cell -3, -2 or -1; a handler may fill *hint.
  void hintRequested(int cell, QString* hint);
  void clicked();
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void paintFrame(QPainter& p, const QRect& r, palette::FrameLook look, bool thin);
  void paintIndicator(QPainter& p, const palette::Rect& r);
  void paintGlyph(QPainter& p, const palette::Rect& r);
  void paintCaption(QPainter& p, const palette::Rect& r);
  void releaseGroupSiblings();
  void updateOpacity();
  void setState(palette::ButtonState state);

  ColorPopup* m_popup = nullptr;
  ColorGrabReceiver* m_receiver = nullptr;  // holds the pointer and keys for the open palette
  int m_groupIndex = 0;
  QPixmap m_glyph;
  bool m_down = false;
  bool m_dragging = false;
  bool m_allowAllUp = false;
  ButtonLayout m_layout = ButtonLayout::blGlyphLeft;
  int m_spacing = 4;
  int m_margin = -1;
  bool m_flat = false;
  bool m_hot = false;
  bool m_transparent = true;
  IndicatorBorder m_indicatorBorder = IndicatorBorder::ibFlat;
  document::Color m_arrowColor = 0;
  bool m_arrowColorSet = false;
  int m_dropDownWidth = 15;
  bool m_arrowPressed = false;
  bool m_popupOpen = false;
  document::Color m_selectionColor = 0;
  palette::ButtonState m_state = palette::ButtonState::Up;
  int m_numGlyphs = 1;
  QString m_caption;
  int m_accelerator = 0;
  bool m_showHint = true;
};

}  // namespace corvantel::gui
