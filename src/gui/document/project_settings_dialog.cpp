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

#include "gui/document/spin_field.h"
#include "gui/widgets/color_button.h"

namespace corvantel::gui {

namespace {

template <typename T>
T* named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, QWidget* buddy = nullptr) {
  auto* l = named(new QLabel(QString::fromUtf8(caption), parent), name);
  if (buddy) l->setBuddy(buddy);
  return l;
}

ColorButton* colorButton(QWidget* parent, const char* name) {
  auto* b = named(new ColorButton(parent), name);
  b->setCustomText(QStringLiteral("More colors"));
  return b;
}

SpinField* spinField(QWidget* parent, const char* name) {
  auto* s = named(new SpinField(parent), name);
  s->setMinimumWidth(80);
  return s;
}

}  // namespace

ProjectSettingsDialog::ProjectSettingsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ProjectSettings"));
  setWindowTitle(QStringLiteral("Project settings"));
  setProperty("helpContext", kHelpContext);
  setModal(true);

  // Page parameters.
  GroupBox1 = named(new QGroupBox(QStringLiteral("Page parameters"), this), "GroupBox1");
  PageTitle = named(new QLineEdit(GroupBox1), "PageTitle");
  PageAuthor = named(new QLineEdit(GroupBox1), "PageAuthor");
  Encoding = named(new QComboBox(GroupBox1), "Encoding");
  Encoding->setEditable(false);
  for (const std::string& name : document::encodingNames()) Encoding->addItem(QString::fromStdString(name));
  Encoding->setMaxVisibleItems(12);
  Label7 = label(GroupBox1, "Label7", "Page &title", PageTitle);
  Label8 = label(GroupBox1, "Label8", "&Author", PageAuthor);
  Label9 = label(GroupBox1, "Label9", "&Encoding", Encoding);
  auto* page = new QGridLayout(GroupBox1);
  page->addWidget(Label7, 0, 0);
  page->addWidget(PageTitle, 0, 1);
  page->addWidget(Label8, 1, 0);
  page->addWidget(PageAuthor, 1, 1);
  page->addWidget(Label9, 2, 0);
  page->addWidget(Encoding, 2, 1);
  page->setColumnStretch(1, 1);

  // Menu parameters.
  GroupBox2 = named(new QGroupBox(QStringLiteral("Menu parameters"), this), "GroupBox2");
  MenuWidth = spinField(GroupBox2, "MenuWidth");
  ItemPadding = spinField(GroupBox2, "ItemPadding");
  KeepHilite = named(new QCheckBox(QStringLiteral("Keep parent menu &highlited"), GroupBox2), "KeepHilite");
  Label10 = label(GroupBox2, "Label10", "Menu &width", MenuWidth);
  Label13 = label(GroupBox2, "Label13", "Item &padding", ItemPadding);
  auto* menu = new QGridLayout(GroupBox2);
  menu->addWidget(Label10, 0, 0);
  menu->addWidget(MenuWidth, 0, 1);
  menu->addWidget(Label13, 1, 0);
  menu->addWidget(ItemPadding, 1, 1);
  menu->addWidget(KeepHilite, 2, 0, 1, 3);
  menu->setColumnStretch(2, 1);

  // Font parameters.
  GroupBox3 = named(new QGroupBox(QStringLiteral("Font parameters"), this), "GroupBox3");
  FontFamily = named(new QLineEdit(GroupBox3), "FontFamily");
  FontBold = named(new QCheckBox(QStringLiteral("&Bold"), GroupBox3), "FontBold");
  QFont bold = FontBold->font();
  bold.setBold(true);
  FontBold->setFont(bold);
  FontItalic = named(new QCheckBox(QStringLiteral("&Italic"), GroupBox3), "FontItalic");
  QFont italic = FontItalic->font();
  italic.setItalic(true);
  FontItalic->setFont(italic);
  FontColor = colorButton(GroupBox3, "FontColor");
  FontColorOver = colorButton(GroupBox3, "FontColorOver");
  Label11 = label(GroupBox3, "Label11", "Font &family", FontFamily);
  Label12 = label(GroupBox3, "Label12", "Style");
  Label2 = label(GroupBox3, "Label2", "Font color");
  Label4 = label(GroupBox3, "Label4", "Font color - mouse over");
  auto* font = new QGridLayout(GroupBox3);
  font->addWidget(Label11, 0, 0);
  font->addWidget(FontFamily, 0, 1, 1, 2);
  font->addWidget(Label12, 1, 0);
  font->addWidget(FontBold, 1, 1);
  font->addWidget(FontItalic, 1, 2);
  font->addWidget(Label2, 2, 0);
  font->addWidget(FontColor, 2, 1, Qt::AlignLeft);
  font->addWidget(Label4, 3, 0);
  font->addWidget(FontColorOver, 3, 1, Qt::AlignLeft);
  font->setColumnStretch(2, 1);

  // Background, border and separator parameters.
  GroupBox4 = named(new QGroupBox(QStringLiteral("Background, border and separator parameters"), this), "GroupBox4");
  BGColor = colorButton(GroupBox4, "BGColor");
  BGColorOver = colorButton(GroupBox4, "BGColorOver");
  BroderWidth = spinField(GroupBox4, "BroderWidth");
  SeparatorSize = spinField(GroupBox4, "SeparatorSize");
  BorderColor = colorButton(GroupBox4, "BorderColor");
  SeparatorColor = colorButton(GroupBox4, "SeparatorColor");
  Label1 = label(GroupBox4, "Label1", "Background color");
  Label6 = label(GroupBox4, "Label6", "Background color - mouse over");
  Label14 = label(GroupBox4, "Label14", "B&order width", BroderWidth);
  Label5 = label(GroupBox4, "Label5", "Border color");
  Label15 = label(GroupBox4, "Label15", "&Separator size", SeparatorSize);
  Label16 = label(GroupBox4, "Label16", "Separator color");
  auto* back = new QGridLayout(GroupBox4);
  back->addWidget(Label1, 0, 0);
  back->addWidget(BGColor, 0, 1, Qt::AlignLeft);
  back->addWidget(Label6, 1, 0);
  back->addWidget(BGColorOver, 1, 1, Qt::AlignLeft);
  back->addWidget(Label14, 2, 0);
  back->addWidget(BroderWidth, 2, 1, Qt::AlignLeft);
  back->addWidget(Label5, 3, 0);
  back->addWidget(BorderColor, 3, 1, Qt::AlignLeft);
  back->addWidget(Label15, 4, 0);
  back->addWidget(SeparatorSize, 4, 1, Qt::AlignLeft);
  back->addWidget(Label16, 5, 0);
  back->addWidget(SeparatorColor, 5, 1, Qt::AlignLeft);
  back->setColumnStretch(2, 1);

  // Menu type and position.
  GroupBox5 = named(new QGroupBox(QStringLiteral("Menu type and position"), this), "GroupBox5");
  JSMenu = named(new QRadioButton(QStringLiteral("&Javascript main menu"), GroupBox5), "JSMenu");
  TableMenu = named(new QRadioButton(QStringLiteral("Table main menu - &coded position"), GroupBox5), "TableMenu");
  TableRelative =
      named(new QRadioButton(QStringLiteral("Table main menu - &relative position"), GroupBox5), "TableRelative");
  XPos = spinField(GroupBox5, "XPos");
  YPos = spinField(GroupBox5, "YPos");
  XLabel = label(GroupBox5, "XLabel", "&X", XPos);
  YLabel = label(GroupBox5, "YLabel", "&Y", YPos);
  auto* type = new QGridLayout(GroupBox5);
  type->addWidget(JSMenu, 0, 0, 1, 5);
  type->addWidget(TableMenu, 1, 0, 1, 5);
  type->addWidget(TableRelative, 2, 0, 1, 5);
  type->addWidget(XLabel, 3, 0);
  type->addWidget(XPos, 3, 1);
  type->addWidget(YLabel, 3, 2);
  type->addWidget(YPos, 3, 3);
  type->setColumnStretch(4, 1);
  connect(JSMenu, &QRadioButton::clicked, this, &ProjectSettingsDialog::chooseScriptMenu);
  connect(TableMenu, &QRadioButton::clicked, this, &ProjectSettingsDialog::chooseTableMenu);
  connect(TableRelative, &QRadioButton::clicked, this, &ProjectSettingsDialog::chooseRelativeTableMenu);

  OKButton = named(new QPushButton(QStringLiteral("OK"), this), "OKButton");
  OKButton->setDefault(true);
  OKButton->setAutoDefault(true);
  OKButton->setProperty("helpContext", kHelpContext);
  CancelButton = named(new QPushButton(QStringLiteral("Cancel"), this), "CancelButton");
  CancelButton->setAutoDefault(false);
  CancelButton->setProperty("helpContext", kHelpContext);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);  // Esc rejects as well

  auto* left = new QVBoxLayout;
  left->addWidget(GroupBox1);
  left->addWidget(GroupBox2);
  left->addWidget(GroupBox5);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(GroupBox3);
  right->addWidget(GroupBox4);
  right->addStretch(1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OKButton);
  buttons->addWidget(CancelButton);
  auto* whole = new QVBoxLayout(this);
  whole->addLayout(columns);
  whole->addLayout(buttons);

  loadSettings(document::ProjectSettings{});
}

void ProjectSettingsDialog::loadSettings(const document::ProjectSettings& s) {
  BGColor->setSelectionColor(s.bgColor);
  FontColor->setSelectionColor(s.fontColor);
  BorderColor->setSelectionColor(s.borderColor);
  FontColorOver->setSelectionColor(s.fontColorOver);
  BGColorOver->setSelectionColor(s.bgColorOver);
  PageTitle->setText(QString::fromStdString(s.pageTitle));
  PageAuthor->setText(QString::fromStdString(s.pageAuthor));
  const bool inList = s.encodingIndex >= 0 && s.encodingIndex < Encoding->count();
  Encoding->setCurrentIndex(inList ? s.encodingIndex : -1);
  FontBold->setChecked(s.fontBold);
  FontItalic->setChecked(s.fontItalic);
  SeparatorColor->setSelectionColor(s.separatorColor);
  MenuWidth->setValue(s.menuWidth);
  ItemPadding->setValue(s.itemPadding);
  BroderWidth->setValue(s.borderWidth);
  FontFamily->setText(QString::fromStdString(s.fontFamily));
  SeparatorSize->setValue(s.separatorSize);
  KeepHilite->setChecked(s.keepHilite);
  XPos->setValue(s.xPos);
  YPos->setValue(s.yPos);
  setMenuType(s.menuType);
}

document::ProjectSettings ProjectSettingsDialog::settings() const {
  document::ProjectSettings s;
  s.bgColor = BGColor->selectionColor();
  s.fontColor = FontColor->selectionColor();
  s.borderColor = BorderColor->selectionColor();
  s.fontColorOver = FontColorOver->selectionColor();
  s.bgColorOver = BGColorOver->selectionColor();
  s.pageTitle = PageTitle->text().toStdString();
  s.pageAuthor = PageAuthor->text().toStdString();
  s.encodingIndex = Encoding->currentIndex() < 0 ? document::kNoEncoding : Encoding->currentIndex();
  s.fontBold = FontBold->isChecked();
  s.fontItalic = FontItalic->isChecked();
  s.separatorColor = SeparatorColor->selectionColor();
  s.menuWidth = MenuWidth->value();
  s.itemPadding = ItemPadding->value();
  s.borderWidth = BroderWidth->value();
  s.fontFamily = FontFamily->text().toStdString();
  s.separatorSize = SeparatorSize->value();
  s.keepHilite = KeepHilite->isChecked();
  s.xPos = XPos->value();
  s.yPos = YPos->value();
  s.menuType = menuType();
  return s;
}

document::MenuType ProjectSettingsDialog::menuType() const {
  if (TableMenu->isChecked()) return document::MenuType::TableMenu;
  if (TableRelative->isChecked()) return document::MenuType::TableRelative;
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
  JSMenu->setChecked(true);
  setPositionEnabled(true);
}

void ProjectSettingsDialog::chooseTableMenu() {
  TableMenu->setChecked(true);
  setPositionEnabled(false);
}

void ProjectSettingsDialog::chooseRelativeTableMenu() {
  TableRelative->setChecked(true);
  setPositionEnabled(false);
}

void ProjectSettingsDialog::setPositionEnabled(bool enabled) {
  XPos->setEnabled(enabled);
  YPos->setEnabled(enabled);
  XLabel->setEnabled(enabled);
  YLabel->setEnabled(enabled);
}

void ProjectSettingsDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

}  // namespace corvantel::gui
