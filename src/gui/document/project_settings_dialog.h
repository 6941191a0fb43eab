#pragma once

#include <QDialog>
#include <string>

#include "core/document/project_settings.h"
#include "gui/i18n/caption_table.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvantel::gui {

class SpinField;
class ColorButton;
class FolderBrowseDialog;

// The project settings dialog (the settings form in the program's history), made once for the run. It shows a copy of
// the document's settings: loadSettings() fills the controls, settings() reads them back. The main window loads the
// document's settings before showing it and takes settings() only after OK, so Cancel changes nothing.
class ProjectSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 1005;

  explicit ProjectSettingsDialog(QWidget* parent = nullptr);

  // `projectFile` is the project's settings file (empty for a project not saved yet): a relative site
  // folder typed in is taken from that file's folder.
  void loadSettings(const document::ProjectSettings& settings, const std::string& projectFile = {});
  document::ProjectSettings settings() const;
  // Lets the user pick the site folder with the folder browser.
  void browseSiteFolder();

  document::MenuType menuType() const;
  // Turns the type's radio button on and runs its click rule.
  void setMenuType(document::MenuType type);

  // Click rules of the radio buttons: the one button on, X and Y (with their labels) enabled only for the
  // script-drawn main menu. Their values are kept either way.
  void chooseScriptMenu();
  void chooseTableMenu();
  void chooseRelativeTableMenu();

  // The dialog's captions in the order the translation looks them up (see CaptionTable).
  CaptionTable captionTable() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The builders of the dialog's parts, in the order of the focus chain.
  QGroupBox* buildPageGroup();
  QGroupBox* buildMenuGroup();
  QGroupBox* buildFontGroup();
  QGroupBox* buildBackgroundGroup();
  QGroupBox* buildMenuTypeGroup();
  QLayout* buildButtons();
  void setPositionEnabled(bool enabled);

  // The controls; tests find them by their object names, the member names without "m_".
  QGroupBox* m_pageGroup = nullptr;
  QLabel* m_pageTitleLabel = nullptr;
  QLineEdit* m_pageTitleEdit = nullptr;
  QLabel* m_authorLabel = nullptr;
  QLineEdit* m_authorEdit = nullptr;
  QLabel* m_encodingLabel = nullptr;
  QComboBox* m_encodingBox = nullptr;
  // Says when the chosen encoding is written as another one that browsers read; hidden otherwise.
  QLabel* m_encodingWarning = nullptr;
  QLabel* m_siteFolderLabel = nullptr;
  QLineEdit* m_siteFolderEdit = nullptr;
  QPushButton* m_siteFolderButton = nullptr;
  FolderBrowseDialog* m_siteFolderDialog = nullptr;  // made at the first browse
  std::string m_projectFile;

  QGroupBox* m_menuGroup = nullptr;
  QLabel* m_menuWidthLabel = nullptr;
  SpinField* m_menuWidthField = nullptr;
  QLabel* m_itemPaddingLabel = nullptr;
  SpinField* m_itemPaddingField = nullptr;
  QCheckBox* m_keepHighlightCheck = nullptr;

  QGroupBox* m_fontGroup = nullptr;
  QLabel* m_fontFamilyLabel = nullptr;
  QLineEdit* m_fontFamilyEdit = nullptr;
  QLabel* m_styleLabel = nullptr;
  QCheckBox* m_boldCheck = nullptr;
  QCheckBox* m_italicCheck = nullptr;
  QLabel* m_fontColorLabel = nullptr;
  ColorButton* m_fontColorButton = nullptr;
  QLabel* m_fontColorOverLabel = nullptr;
  ColorButton* m_fontColorOverButton = nullptr;

  QGroupBox* m_backgroundGroup = nullptr;
  QLabel* m_backgroundColorLabel = nullptr;
  ColorButton* m_backgroundColorButton = nullptr;
  QLabel* m_backgroundColorOverLabel = nullptr;
  ColorButton* m_backgroundColorOverButton = nullptr;
  QLabel* m_borderWidthLabel = nullptr;
  SpinField* m_borderWidthField = nullptr;
  QLabel* m_borderColorLabel = nullptr;
  ColorButton* m_borderColorButton = nullptr;
  QLabel* m_separatorSizeLabel = nullptr;
  SpinField* m_separatorSizeField = nullptr;
  QLabel* m_separatorColorLabel = nullptr;
  ColorButton* m_separatorColorButton = nullptr;

  QGroupBox* m_menuTypeGroup = nullptr;
  QRadioButton* m_scriptMenuRadio = nullptr;
  QRadioButton* m_tableMenuRadio = nullptr;
  QRadioButton* m_relativeTableMenuRadio = nullptr;
  QLabel* m_xLabel = nullptr;  // "&X", not translated
  SpinField* m_xField = nullptr;
  QLabel* m_yLabel = nullptr;  // "&Y", not translated
  SpinField* m_yField = nullptr;

  QPushButton* m_okButton = nullptr;
  QPushButton* m_cancelButton = nullptr;

  bool m_placed = false;  // centred once, at the first opening
};

}  // namespace corvantel::gui
