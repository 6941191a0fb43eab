#pragma once

// PLACEHOLDER API for the colour picker button. The colour-controls work replaces the implementation
// behind this interface; the names below are the ones the rest of the program uses.

#include <QWidget>

#include "core/document/project_settings.h"

namespace corvantel::gui {

class TColorButton : public QWidget {
  Q_OBJECT
 public:
  explicit TColorButton(QWidget* parent = nullptr);

  Color SelectionColor() const { return m_selectionColor; }
  // Sets the colour; fires OnChange when it differs.
  void setSelectionColor(Color color);

  QString CustomText() const { return m_customText; }
  void setCustomText(const QString& text) { m_customText = text; }
  int PopupSpacing() const { return m_popupSpacing; }
  void setPopupSpacing(int spacing) { m_popupSpacing = spacing < 0 ? 0 : spacing; }

  QSize sizeHint() const override { return {57, 22}; }

 Q_SIGNALS:
  void OnChange();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Color m_selectionColor = 0;
  QString m_customText;
  int m_popupSpacing = 8;
};

}  // namespace corvantel::gui
