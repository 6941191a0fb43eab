#include "gui/document/project_settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <iterator>
#include <limits>

#include "core/generator/output_encoding.h"
#include "gui/document/spin_field.h"
#include "gui/widgets/color_button.h"

namespace corvantel::gui {

namespace {

template <typename T>
T* named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QLabel* label(QWidget* parent, const char* name, QWidget* buddy = nullptr) {
  auto* l = named(new QLabel(parent), name);
  if (buddy) l->setBuddy(buddy);
  return l;
}

ColorButton* colorButton(QWidget* parent, const char* name) {
  auto* b = named(new ColorButton(parent), name);
  b->setCustomText(QStringLiteral("More colors"));
  return b;
}

SpinField* spinField(QWidget* parent, const char* name,
                     std::int32_t minimum = std::numeric_limits<std::int32_t>::min()) {
  auto* s = named(new SpinField(parent), name);
  s->setMinimumWidth(80);
  s->setRange(minimum, std::numeric_limits<std::int32_t>::max());
  return s;
}

// A text field wide enough for `characters` average characters of its font.
QLineEdit* wideEdit(QWidget* parent, const char* name, int characters) {
  auto* e = named(new QLineEdit(parent), name);
  e->setMinimumWidth(e->fontMetrics().averageCharWidth() * characters + 12);
  return e;
}

}  // namespace

ProjectSettingsDialog::ProjectSettingsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("projectSettingsDialog"));
  setProperty("helpContext", kHelpContext);
  setModal(true);

  QGroupBox* page = buildPageGroup();
  QGroupBox* menu = buildMenuGroup();
  QGroupBox* font = buildFontGroup();
  QGroupBox* background = buildBackgroundGroup();
  QGroupBox* type = buildMenuTypeGroup();
  QLayout* buttons = buildButtons();

  auto* left = new QVBoxLayout;
  left->addWidget(page);
  left->addWidget(menu);
  left->addWidget(type);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(font);
  right->addWidget(background);
  right->addStretch(1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);
  auto* whole = new QVBoxLayout(this);
  whole->addLayout(columns);
  whole->addLayout(buttons);

  // Tab goes down the left column, then down the right one, then to the buttons.
  QWidget* const order[] = {m_pageTitleEdit,
                            m_authorEdit,
                            m_encodingBox,
                            m_menuWidthField,
                            m_itemPaddingField,
                            m_keepHighlightCheck,
                            m_scriptMenuRadio,
                            m_tableMenuRadio,
                            m_relativeTableMenuRadio,
                            m_xField,
                            m_yField,
                            m_fontFamilyEdit,
                            m_boldCheck,
                            m_italicCheck,
                            m_fontColorButton,
                            m_fontColorOverButton,
                            m_backgroundColorButton,
                            m_backgroundColorOverButton,
                            m_borderWidthField,
                            m_borderColorButton,
                            m_separatorSizeField,
                            m_separatorColorButton,
                            m_okButton,
                            m_cancelButton};
  for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

  applyEnglish(captionTable());
  loadSettings(document::ProjectSettings{});
}

CaptionTable ProjectSettingsDialog::captionTable() const {
  CaptionTable table = ColorButton::paletteCaptions();  // the palettes of the colour buttons
  table.push_back({"More colors", [this](const QString& text) {
                     for (ColorButton* b : {m_fontColorButton, m_fontColorOverButton, m_backgroundColorButton,
                                            m_backgroundColorOverButton, m_borderColorButton, m_separatorColorButton})
                       b->setCustomText(text);
                   }});
  table.insert(table.end(), {
      caption(m_pageGroup, "Page parameters"),
      caption(m_pageTitleLabel, "Page &title"),
      caption(m_authorLabel, "&Author"),
      caption(m_encodingLabel, "&Encoding"),
      caption(m_menuGroup, "Menu parameters"),
      caption(m_menuWidthLabel, "Menu &width"),
      caption(m_itemPaddingLabel, "Item &padding"),
      caption(m_keepHighlightCheck, "Keep parent menu &highlited"),
      caption(m_fontGroup, "Font parameters"),
      caption(m_fontFamilyLabel, "Font &family"),
      caption(m_styleLabel, "Style"),
      caption(m_boldCheck, "&Bold"),
      caption(m_italicCheck, "&Italic"),
      caption(m_fontColorLabel, "Font color"),
      caption(m_fontColorOverLabel, "Font color - mouse over"),
      caption(m_backgroundGroup, "Background, border and separator parameters"),
      caption(m_backgroundColorLabel, "Background color"),
      caption(m_backgroundColorOverLabel, "Background color - mouse over"),
      caption(m_borderWidthLabel, "B&order width"),
      caption(m_borderColorLabel, "Border color"),
      caption(m_separatorSizeLabel, "&Separator size"),
      caption(m_separatorColorLabel, "Separator color"),
      caption(m_menuTypeGroup, "Menu type and position"),
      caption(m_scriptMenuRadio, "&Javascript main menu"),
      caption(m_tableMenuRadio, "Table main menu - &coded position"),
      caption(m_relativeTableMenuRadio, "Table main menu - &relative position"),
      caption(m_cancelButton, "Cancel"),
      windowTitleCaption(const_cast<ProjectSettingsDialog*>(this), "Project settings"),
  });
  return table;
}

QGroupBox* ProjectSettingsDialog::buildPageGroup() {
  m_pageGroup = named(new QGroupBox(this), "pageGroup");
  m_pageTitleEdit = wideEdit(m_pageGroup, "pageTitleEdit", 40);
  m_authorEdit = wideEdit(m_pageGroup, "authorEdit", 40);
  m_encodingBox = named(new QComboBox(m_pageGroup), "encodingBox");
  m_encodingBox->setEditable(false);
  for (const std::string& name : document::encodingNames()) m_encodingBox->addItem(QString::fromStdString(name));
  m_encodingBox->setMaxVisibleItems(12);
  m_pageTitleLabel = label(m_pageGroup, "pageTitleLabel", m_pageTitleEdit);
  m_authorLabel = label(m_pageGroup, "authorLabel", m_authorEdit);
  m_encodingLabel = label(m_pageGroup, "encodingLabel", m_encodingBox);
  auto* grid = new QGridLayout(m_pageGroup);
  grid->addWidget(m_pageTitleLabel, 0, 0);
  grid->addWidget(m_pageTitleEdit, 0, 1);
  grid->addWidget(m_authorLabel, 1, 0);
  grid->addWidget(m_authorEdit, 1, 1);
  grid->addWidget(m_encodingLabel, 2, 0);
  grid->addWidget(m_encodingBox, 2, 1);
  m_encodingWarning = named(new QLabel(m_pageGroup), "encodingWarning");
  m_encodingWarning->setWordWrap(true);
  m_encodingWarning->hide();
  grid->addWidget(m_encodingWarning, 3, 1);
  connect(m_encodingBox, &QComboBox::currentIndexChanged, this, [this](int index) {
    const std::string warning =
        index < 0 ? std::string() : generator::encodingSubstitutionWarning(document::encodingName(index));
    m_encodingWarning->setText(QString::fromStdString(warning));
    m_encodingWarning->setVisible(!warning.empty());
  });
  grid->setColumnStretch(1, 1);
  return m_pageGroup;
}

QGroupBox* ProjectSettingsDialog::buildMenuGroup() {
  m_menuGroup = named(new QGroupBox(this), "menuGroup");
  // A menu is at least one pixel wide; padding, border and separator are never negative.
  m_menuWidthField = spinField(m_menuGroup, "menuWidthField", 1);
  m_itemPaddingField = spinField(m_menuGroup, "itemPaddingField", 0);
  m_keepHighlightCheck = named(new QCheckBox(m_menuGroup), "keepHighlightCheck");
  m_menuWidthLabel = label(m_menuGroup, "menuWidthLabel", m_menuWidthField);
  m_itemPaddingLabel = label(m_menuGroup, "itemPaddingLabel", m_itemPaddingField);
  auto* grid = new QGridLayout(m_menuGroup);
  grid->addWidget(m_menuWidthLabel, 0, 0);
  grid->addWidget(m_menuWidthField, 0, 1);
  grid->addWidget(m_itemPaddingLabel, 1, 0);
  grid->addWidget(m_itemPaddingField, 1, 1);
  grid->addWidget(m_keepHighlightCheck, 2, 0, 1, 3);
  grid->setColumnStretch(2, 1);
  return m_menuGroup;
}

QGroupBox* ProjectSettingsDialog::buildFontGroup() {
  m_fontGroup = named(new QGroupBox(this), "fontGroup");
  m_fontFamilyEdit = wideEdit(m_fontGroup, "fontFamilyEdit", 38);
  m_boldCheck = named(new QCheckBox(m_fontGroup), "boldCheck");
  QFont bold = m_boldCheck->font();
  bold.setBold(true);
  m_boldCheck->setFont(bold);
  m_italicCheck = named(new QCheckBox(m_fontGroup), "italicCheck");
  QFont italic = m_italicCheck->font();
  italic.setItalic(true);
  m_italicCheck->setFont(italic);
  m_fontColorButton = colorButton(m_fontGroup, "fontColorButton");
  m_fontColorOverButton = colorButton(m_fontGroup, "fontColorOverButton");
  m_fontFamilyLabel = label(m_fontGroup, "fontFamilyLabel", m_fontFamilyEdit);
  m_styleLabel = label(m_fontGroup, "styleLabel");
  m_fontColorLabel = label(m_fontGroup, "fontColorLabel");
  m_fontColorOverLabel = label(m_fontGroup, "fontColorOverLabel");
  auto* grid = new QGridLayout(m_fontGroup);
  grid->addWidget(m_fontFamilyLabel, 0, 0);
  grid->addWidget(m_fontFamilyEdit, 0, 1, 1, 2);
  grid->addWidget(m_styleLabel, 1, 0);
  grid->addWidget(m_boldCheck, 1, 1);
  grid->addWidget(m_italicCheck, 1, 2);
  grid->addWidget(m_fontColorLabel, 2, 0);
  grid->addWidget(m_fontColorButton, 2, 1, Qt::AlignLeft);
  grid->addWidget(m_fontColorOverLabel, 3, 0);
  grid->addWidget(m_fontColorOverButton, 3, 1, Qt::AlignLeft);
  grid->setColumnStretch(2, 1);
  return m_fontGroup;
}

QGroupBox* ProjectSettingsDialog::buildBackgroundGroup() {
  m_backgroundGroup = named(new QGroupBox(this), "backgroundGroup");
  m_backgroundColorButton = colorButton(m_backgroundGroup, "backgroundColorButton");
  m_backgroundColorOverButton = colorButton(m_backgroundGroup, "backgroundColorOverButton");
  m_borderWidthField = spinField(m_backgroundGroup, "borderWidthField", 0);
  m_separatorSizeField = spinField(m_backgroundGroup, "separatorSizeField", 0);
  m_borderColorButton = colorButton(m_backgroundGroup, "borderColorButton");
  m_separatorColorButton = colorButton(m_backgroundGroup, "separatorColorButton");
  m_backgroundColorLabel = label(m_backgroundGroup, "backgroundColorLabel");
  m_backgroundColorOverLabel = label(m_backgroundGroup, "backgroundColorOverLabel");
  m_borderWidthLabel = label(m_backgroundGroup, "borderWidthLabel", m_borderWidthField);
  m_borderColorLabel = label(m_backgroundGroup, "borderColorLabel");
  m_separatorSizeLabel = label(m_backgroundGroup, "separatorSizeLabel", m_separatorSizeField);
  m_separatorColorLabel = label(m_backgroundGroup, "separatorColorLabel");
  auto* grid = new QGridLayout(m_backgroundGroup);
  grid->addWidget(m_backgroundColorLabel, 0, 0);
  grid->addWidget(m_backgroundColorButton, 0, 1, Qt::AlignLeft);
  grid->addWidget(m_backgroundColorOverLabel, 1, 0);
  grid->addWidget(m_backgroundColorOverButton, 1, 1, Qt::AlignLeft);
  grid->addWidget(m_borderWidthLabel, 2, 0);
  grid->addWidget(m_borderWidthField, 2, 1, Qt::AlignLeft);
  grid->addWidget(m_borderColorLabel, 3, 0);
  grid->addWidget(m_borderColorButton, 3, 1, Qt::AlignLeft);
  grid->addWidget(m_separatorSizeLabel, 4, 0);
  grid->addWidget(m_separatorSizeField, 4, 1, Qt::AlignLeft);
  grid->addWidget(m_separatorColorLabel, 5, 0);
  grid->addWidget(m_separatorColorButton, 5, 1, Qt::AlignLeft);
  grid->setColumnStretch(2, 1);
  return m_backgroundGroup;
}

QGroupBox* ProjectSettingsDialog::buildMenuTypeGroup() {
  m_menuTypeGroup = named(new QGroupBox(this), "menuTypeGroup");
  m_scriptMenuRadio = named(new QRadioButton(m_menuTypeGroup), "scriptMenuRadio");
  m_tableMenuRadio = named(new QRadioButton(m_menuTypeGroup), "tableMenuRadio");
  m_relativeTableMenuRadio = named(new QRadioButton(m_menuTypeGroup), "relativeTableMenuRadio");
  m_xField = spinField(m_menuTypeGroup, "xField");
  m_yField = spinField(m_menuTypeGroup, "yField");
  // X and Y are the same in every language.
  m_xLabel = label(m_menuTypeGroup, "xLabel", m_xField);
  m_xLabel->setText(QStringLiteral("&X"));
  m_yLabel = label(m_menuTypeGroup, "yLabel", m_yField);
  m_yLabel->setText(QStringLiteral("&Y"));
  auto* grid = new QGridLayout(m_menuTypeGroup);
  grid->addWidget(m_scriptMenuRadio, 0, 0, 1, 5, Qt::AlignLeft);
  grid->addWidget(m_tableMenuRadio, 1, 0, 1, 5, Qt::AlignLeft);
  grid->addWidget(m_relativeTableMenuRadio, 2, 0, 1, 5, Qt::AlignLeft);
  grid->addWidget(m_xLabel, 3, 0);
  grid->addWidget(m_xField, 3, 1);
  grid->addWidget(m_yLabel, 3, 2);
  grid->addWidget(m_yField, 3, 3);
  grid->setColumnStretch(4, 1);
  connect(m_scriptMenuRadio, &QRadioButton::clicked, this, &ProjectSettingsDialog::chooseScriptMenu);
  connect(m_tableMenuRadio, &QRadioButton::clicked, this, &ProjectSettingsDialog::chooseTableMenu);
  connect(m_relativeTableMenuRadio, &QRadioButton::clicked, this, &ProjectSettingsDialog::chooseRelativeTableMenu);
  return m_menuTypeGroup;
}

QLayout* ProjectSettingsDialog::buildButtons() {
  m_okButton = named(new QPushButton(QStringLiteral("OK"), this), "okButton");
  m_okButton->setDefault(true);
  m_okButton->setAutoDefault(true);
  m_okButton->setProperty("helpContext", kHelpContext);
  m_cancelButton = named(new QPushButton(this), "cancelButton");
  m_cancelButton->setAutoDefault(false);
  m_cancelButton->setProperty("helpContext", kHelpContext);
  connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);  // Esc rejects as well
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(m_okButton);
  row->addWidget(m_cancelButton);
  return row;
}

void ProjectSettingsDialog::loadSettings(const document::ProjectSettings& s) {
  m_backgroundColorButton->setSelectionColor(s.bgColor);
  m_fontColorButton->setSelectionColor(s.fontColor);
  m_borderColorButton->setSelectionColor(s.borderColor);
  m_fontColorOverButton->setSelectionColor(s.fontColorOver);
  m_backgroundColorOverButton->setSelectionColor(s.bgColorOver);
  m_pageTitleEdit->setText(QString::fromStdString(s.pageTitle));
  m_authorEdit->setText(QString::fromStdString(s.pageAuthor));
  const bool inList = s.encodingIndex >= 0 && s.encodingIndex < m_encodingBox->count();
  m_encodingBox->setCurrentIndex(inList ? s.encodingIndex : -1);
  m_boldCheck->setChecked(s.fontBold);
  m_italicCheck->setChecked(s.fontItalic);
  m_separatorColorButton->setSelectionColor(s.separatorColor);
  m_menuWidthField->setValue(s.menuWidth);
  m_itemPaddingField->setValue(s.itemPadding);
  m_borderWidthField->setValue(s.borderWidth);
  m_fontFamilyEdit->setText(QString::fromStdString(s.fontFamily));
  m_separatorSizeField->setValue(s.separatorSize);
  m_keepHighlightCheck->setChecked(s.keepHilite);
  m_xField->setValue(s.xPos);
  m_yField->setValue(s.yPos);
  setMenuType(s.menuType);
}

document::ProjectSettings ProjectSettingsDialog::settings() const {
  document::ProjectSettings s;
  s.bgColor = m_backgroundColorButton->selectionColor();
  s.fontColor = m_fontColorButton->selectionColor();
  s.borderColor = m_borderColorButton->selectionColor();
  s.fontColorOver = m_fontColorOverButton->selectionColor();
  s.bgColorOver = m_backgroundColorOverButton->selectionColor();
  s.pageTitle = m_pageTitleEdit->text().toStdString();
  s.pageAuthor = m_authorEdit->text().toStdString();
  s.encodingIndex = m_encodingBox->currentIndex() < 0 ? document::kNoEncoding : m_encodingBox->currentIndex();
  s.fontBold = m_boldCheck->isChecked();
  s.fontItalic = m_italicCheck->isChecked();
  s.separatorColor = m_separatorColorButton->selectionColor();
  s.menuWidth = m_menuWidthField->value();
  s.itemPadding = m_itemPaddingField->value();
  s.borderWidth = m_borderWidthField->value();
  s.fontFamily = m_fontFamilyEdit->text().toStdString();
  s.separatorSize = m_separatorSizeField->value();
  s.keepHilite = m_keepHighlightCheck->isChecked();
  s.xPos = m_xField->value();
  s.yPos = m_yField->value();
  s.menuType = menuType();
  return s;
}

document::MenuType ProjectSettingsDialog::menuType() const {
  if (m_tableMenuRadio->isChecked()) return document::MenuType::TableMenu;
  if (m_relativeTableMenuRadio->isChecked()) return document::MenuType::TableRelative;
  return document::MenuType::JSMenu;
}

void ProjectSettingsDialog::setMenuType(document::MenuType type) {
  switch (type) {
    case document::MenuType::TableMenu:
      chooseTableMenu();
      break;
    case document::MenuType::TableRelative:
      chooseRelativeTableMenu();
      break;
    case document::MenuType::JSMenu:
      chooseScriptMenu();
      break;
  }
}

void ProjectSettingsDialog::chooseScriptMenu() {
  m_scriptMenuRadio->setChecked(true);
  setPositionEnabled(true);
}

void ProjectSettingsDialog::chooseTableMenu() {
  m_tableMenuRadio->setChecked(true);
  setPositionEnabled(false);
}

void ProjectSettingsDialog::chooseRelativeTableMenu() {
  m_relativeTableMenuRadio->setChecked(true);
  setPositionEnabled(false);
}

void ProjectSettingsDialog::setPositionEnabled(bool enabled) {
  m_xField->setEnabled(enabled);
  m_yField->setEnabled(enabled);
  m_xLabel->setEnabled(enabled);
  m_yLabel->setEnabled(enabled);
}

void ProjectSettingsDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Centred at the first opening, before the window system gives it a frame; later openings find it where
  // the user left it. (Moving it again at every showing mixes the frame's position, which move() sets, with
  // the client area's, and on window managers that add a title bar the dialog crept down by its height.)
  if (m_placed) return;
  m_placed = true;
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

}  // namespace corvantel::gui
