#pragma once

#include <QDialog>

#include "core/document/project_settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvantel::gui {

class SpinField;
class ColorButton;

// The project settings dialog, made once for the run. It shows a copy of the document's settings:
// loadSettings() fills the controls, settings() reads them back. The main window loads the document's
// settings before showing it and takes settings() only after OK, so Cancel changes nothing.
class ProjectSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 1005;

  explicit ProjectSettingsDialog(QWidget* parent = nullptr);

  void loadSettings(const document::ProjectSettings& settings);
  document::ProjectSettings settings() const;

  document::MenuType menuType() const;
  // Turns the type's radio button on and runs its click rule.
  void setMenuType(document::MenuType type);

  // Click rules of the radio buttons: the one button on, X and Y (with their labels) enabled only for the
  // script-drawn main menu. Their values are kept either way.
  void chooseScriptMenu();
  void chooseTableMenu();
  void chooseRelativeTableMenu();

  // --- controls (names as in the window layout) ---
  QGroupBox* GroupBox1 = nullptr;  // "Page parameters"
  QLabel* Label7 = nullptr;        // "Page &title"
  QLineEdit* PageTitle = nullptr;
  QLabel* Label8 = nullptr;  // "&Author"
  QLineEdit* PageAuthor = nullptr;
  QLabel* Label9 = nullptr;  // "&Encoding"
  QComboBox* Encoding = nullptr;

  QGroupBox* GroupBox2 = nullptr;  // "Menu parameters"
  QLabel* Label10 = nullptr;       // "Menu &width"
  SpinField* MenuWidth = nullptr;
  QLabel* Label13 = nullptr;  // "Item &padding"
  SpinField* ItemPadding = nullptr;
  QCheckBox* KeepHilite = nullptr;

  QGroupBox* GroupBox3 = nullptr;  // "Font parameters"
  QLabel* Label11 = nullptr;       // "Font &family"
  QLineEdit* FontFamily = nullptr;
  QLabel* Label12 = nullptr;  // "Style"
  QCheckBox* FontBold = nullptr;
  QCheckBox* FontItalic = nullptr;
  QLabel* Label2 = nullptr;  // "Font color"
  ColorButton* FontColor = nullptr;
  QLabel* Label4 = nullptr;  // "Font color - mouse over"
  ColorButton* FontColorOver = nullptr;

  QGroupBox* GroupBox4 = nullptr;  // "Background, border and separator parameters"
  QLabel* Label1 = nullptr;        // "Background color"
  ColorButton* BGColor = nullptr;
  QLabel* Label6 = nullptr;  // "Background color - mouse over"
  ColorButton* BGColorOver = nullptr;
  QLabel* Label14 = nullptr;  // "B&order width"
  SpinField* BroderWidth = nullptr;
  QLabel* Label5 = nullptr;  // "Border color"
  ColorButton* BorderColor = nullptr;
  QLabel* Label15 = nullptr;  // "&Separator size"
  SpinField* SeparatorSize = nullptr;
  QLabel* Label16 = nullptr;  // "Separator color"
  ColorButton* SeparatorColor = nullptr;

  QGroupBox* GroupBox5 = nullptr;  // "Menu type and position"
  QRadioButton* JSMenu = nullptr;
  QRadioButton* TableMenu = nullptr;
  QRadioButton* TableRelative = nullptr;
  QLabel* XLabel = nullptr;  // "&X", not translated
  SpinField* XPos = nullptr;
  QLabel* YLabel = nullptr;  // "&Y", not translated
  SpinField* YPos = nullptr;

  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void setPositionEnabled(bool enabled);
};

}  // namespace corvantel::gui
