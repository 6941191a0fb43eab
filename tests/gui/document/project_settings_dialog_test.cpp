// The project settings dialog and its whole-number fields: what only the widgets can get wrong.
#include "gui/document/project_settings_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "gui/app/main_window.h"
#include "gui/document/spin_field.h"
#include "gui/widgets/color_button.h"
#include "support/gui/find_child.h"
#include "support/gui/scripted_prompts.h"

namespace corvantel::gui {
namespace {

using test::ScriptedPrompts;

TEST(SpinField, TypingSteppingAndTextsThatAreNoNumber) {
  SpinField field;
  field.setValue(5);
  QLineEdit* edit = field.findChild<QLineEdit*>();
  ASSERT_NE(edit, nullptr);

  edit->selectAll();
  QTest::keyClicks(&field, "-12");
  EXPECT_EQ(field.value(), -12);
  QTest::keyClick(&field, Qt::Key_Up);
  EXPECT_EQ(field.value(), -11);
  QTest::keyClick(&field, Qt::Key_Down);
  QTest::keyClick(&field, Qt::Key_Down);
  EXPECT_EQ(field.value(), -13);

  // Letters are refused; a lone sign or an empty field reads as 0.
  edit->selectAll();
  QTest::keyClicks(&field, "a-");
  EXPECT_EQ(edit->text(), "-");
  EXPECT_EQ(field.value(), 0);
  edit->clear();
  EXPECT_EQ(field.value(), 0);
  QTest::keyClick(&field, Qt::Key_Up);
  EXPECT_EQ(field.value(), 1);

  // No limits short of the 32-bit range, where stepping stops.
  field.setValue(2147483647);
  QTest::keyClick(&field, Qt::Key_Up);
  EXPECT_EQ(field.value(), 2147483647);
  field.stepBy(1);
  EXPECT_EQ(field.value(), 2147483647);
  field.setValue(-2147483647 - 1);
  EXPECT_EQ(edit->text(), "-2147483648");
  field.stepBy(-1);
  EXPECT_EQ(field.value(), -2147483647 - 1);
  EXPECT_FALSE(SpinField::parse(QStringLiteral("2147483648")).has_value());
  EXPECT_FALSE(SpinField::parse(QStringLiteral("1.5")).has_value());
}

TEST(ProjectSettingsDialog, ShowsANewProjectAndFollowsTheTypeRules) {
  ProjectSettingsDialog dialog;
  dialog.loadSettings(document::ProjectSettings{});
  EXPECT_EQ(test::child<QLineEdit>(&dialog, "pageTitleEdit")->text(), "Site menu");
  EXPECT_EQ(test::child<QLineEdit>(&dialog, "authorEdit")->text(), "Ombrel Corvantel 2.0.0.0");
  EXPECT_EQ(test::child<QComboBox>(&dialog, "encodingBox")->count(), 29);
  EXPECT_EQ(test::child<QComboBox>(&dialog, "encodingBox")->currentText(), "ISO8859-1");
  EXPECT_FALSE(test::child<QComboBox>(&dialog, "encodingBox")->isEditable());
  // An encoding browsers no longer read is named in a warning as soon as it is chosen, and only then.
  auto* encodings = test::child<QComboBox>(&dialog, "encodingBox");
  auto* warning = test::child<QLabel>(&dialog, "encodingWarning");
  EXPECT_TRUE(warning->isHidden());
  encodings->setCurrentText(QStringLiteral("ISO-2022-KR"));
  EXPECT_FALSE(warning->isHidden());
  EXPECT_TRUE(warning->text().contains(QStringLiteral("EUC-KR"))) << warning->text().toStdString();
  encodings->setCurrentText(QStringLiteral("ISO8859-1"));
  EXPECT_TRUE(warning->isHidden());
  EXPECT_EQ(test::child<gui::SpinField>(&dialog, "menuWidthField")->value(), 150);
  EXPECT_EQ(test::child<gui::SpinField>(&dialog, "yField")->value(), 2);
  EXPECT_TRUE(test::child<QCheckBox>(&dialog, "keepHighlightCheck")->isChecked());
  EXPECT_TRUE(test::child<QRadioButton>(&dialog, "scriptMenuRadio")->isChecked());
  EXPECT_TRUE(test::child<gui::SpinField>(&dialog, "xField")->isEnabled());
  EXPECT_TRUE(test::child<QPushButton>(&dialog, "okButton")->isDefault());
  EXPECT_EQ(dialog.property("helpContext").toInt(), 1005);
  EXPECT_EQ(test::child<QPushButton>(&dialog, "cancelButton")->property("helpContext").toInt(), 1005);
  EXPECT_EQ(dialog.settings(), document::ProjectSettings{});

  dialog.show();
  QTest::mouseClick(test::child<QRadioButton>(&dialog, "tableMenuRadio"), Qt::LeftButton);
  EXPECT_TRUE(test::child<QRadioButton>(&dialog, "tableMenuRadio")->isChecked());
  EXPECT_FALSE(test::child<QRadioButton>(&dialog, "scriptMenuRadio")->isChecked());
  for (QWidget* w : {static_cast<QWidget*>(test::child<gui::SpinField>(&dialog, "xField")),
                     static_cast<QWidget*>(test::child<gui::SpinField>(&dialog, "yField")),
                     static_cast<QWidget*>(test::child<QLabel>(&dialog, "xLabel")),
                     static_cast<QWidget*>(test::child<QLabel>(&dialog, "yLabel"))}) {
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  }
  EXPECT_EQ(dialog.settings().yPos, 2);  // disabled, still kept
  QTest::mouseClick(test::child<QRadioButton>(&dialog, "scriptMenuRadio"), Qt::LeftButton);
  EXPECT_TRUE(test::child<QLabel>(&dialog, "yLabel")->isEnabled());
  EXPECT_EQ(dialog.menuType(), document::MenuType::JSMenu);

  // An encoding outside the list leaves no selection and reads back as none.
  document::ProjectSettings none;
  none.encodingIndex = 29;
  dialog.loadSettings(none);
  EXPECT_EQ(test::child<QComboBox>(&dialog, "encodingBox")->currentIndex(), -1);
  EXPECT_EQ(dialog.settings().encodingIndex, document::kNoEncoding);
}

TEST(ProjectSettingsDialog, EnterIsOkAndEscapeIsCancel) {
  ProjectSettingsDialog dialog;
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  test::child<QLineEdit>(&dialog, "pageTitleEdit")->setFocus();
  QTest::keyClick(test::child<QLineEdit>(&dialog, "pageTitleEdit"), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog.isVisible());
}

TEST(ProjectSettingsDialog, KeyboardOrderSizesThatMakeNoSenseAndItsPlace) {
  ProjectSettingsDialog dialog;
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

  // Tab walks down the left column, then the right one, then the buttons (colour buttons aside).
  test::child<QLineEdit>(&dialog, "pageTitleEdit")->setFocus();
  QStringList walked;
  for (int i = 0; i < 30 && walked.size() < 18; ++i) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    if (!qobject_cast<ColorButton*>(focus)) walked << focus->objectName();
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  EXPECT_EQ(walked,
            (QStringList{"pageTitleEdit", "authorEdit", "encodingBox", "siteFolderEdit", "siteFolderButton", "menuWidthField", "itemPaddingField",
                         "keepHighlightCheck", "scriptMenuRadio", "xField", "yField", "fontFamilyEdit", "boldCheck",
                         "italicCheck", "borderWidthField", "separatorSizeField", "okButton", "cancelButton"}));

  // Sizes are never negative: a minus sign is refused and stepping stops at the smallest size.
  auto* width = test::child<SpinField>(&dialog, "menuWidthField");
  width->findChild<QLineEdit*>()->selectAll();
  QTest::keyClicks(width, "-40");
  EXPECT_EQ(width->value(), 40);
  width->setValue(1);
  QTest::keyClick(width, Qt::Key_Down);
  EXPECT_EQ(width->value(), 1);
  auto* border = test::child<SpinField>(&dialog, "borderWidthField");
  border->setValue(-3);  // a value from an edited project file
  EXPECT_EQ(border->value(), 0);
  QTest::keyClick(border, Qt::Key_Down);
  EXPECT_EQ(border->value(), 0);
  // X and Y may lie left of or above the page's corner.
  auto* x = test::child<SpinField>(&dialog, "xField");
  x->setValue(0);
  QTest::keyClick(x, Qt::Key_Down);
  EXPECT_EQ(x->value(), -1);

  // The example project's texts fit their fields, frame and text margins aside.
  for (const auto& [name, text] : {std::pair{"fontFamilyEdit", "Verdana,DejaVu Sans,sans-serif"},
                                   std::pair{"pageTitleEdit", "Riverside Rowing & Canoe Club"}}) {
    const QLineEdit* edit = test::child<QLineEdit>(&dialog, name);
    EXPECT_GE(edit->width() - 12, edit->fontMetrics().horizontalAdvance(QString::fromLatin1(text))) << name;
  }

  // Where the user leaves the dialog is where the next two openings find it.
  const QPoint moved = dialog.pos() + QPoint(40, 30);
  dialog.move(moved);
  for (int opening = 0; opening < 2; ++opening) {
    dialog.hide();
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.pos(), moved) << opening;
  }
}

TEST(ProjectSettingsDialog, CancelRestoresTitleColourAndType) {
  QTemporaryDir folder;
  ScriptedPrompts prompts;
  StartOptions options;
  options.programFolder = folder.path().toStdString() + "/";
  MainWindow form(options);
  form.newProject();
  ProjectSettingsDialog* made = test::child<gui::ProjectSettingsDialog>(&form, "projectSettingsDialog");

  prompts.answerDialog(QDialog::Rejected, [](QDialog* d) {
    auto* dialog = static_cast<ProjectSettingsDialog*>(d);
    test::child<QLineEdit>(dialog, "pageTitleEdit")->setText(QStringLiteral("Other"));
    test::child<gui::ColorButton>(dialog, "backgroundColorButton")->setSelectionColor(0x0000FF);
    QTest::mouseClick(test::child<QRadioButton>(dialog, "tableMenuRadio"), Qt::LeftButton);
    test::child<gui::SpinField>(dialog, "menuWidthField")->findChild<QLineEdit*>()->setText(QStringLiteral("-"));
  });
  form.editProjectSettings();
  EXPECT_EQ(form.document().settings(), document::ProjectSettings{});
  EXPECT_FALSE(form.document().isModified());

  prompts.answerDialog(QDialog::Accepted, [](QDialog* d) {
    auto* dialog = static_cast<ProjectSettingsDialog*>(d);
    EXPECT_EQ(test::child<QLineEdit>(dialog, "pageTitleEdit")->text(), "Site menu");
    EXPECT_EQ(test::child<gui::ColorButton>(dialog, "backgroundColorButton")->selectionColor(), 16775151);
    EXPECT_TRUE(test::child<QRadioButton>(dialog, "scriptMenuRadio")->isChecked());
    EXPECT_TRUE(test::child<gui::SpinField>(dialog, "xField")->isEnabled());
    EXPECT_EQ(test::child<gui::SpinField>(dialog, "menuWidthField")->findChild<QLineEdit*>()->text(), "150");
    // A lone minus sign kept with OK is stored as 0 and shown as 0.
    test::child<gui::SpinField>(dialog, "itemPaddingField")->findChild<QLineEdit*>()->setText(QStringLiteral("-"));
  });
  form.editProjectSettings();
  EXPECT_EQ(form.document().settings().itemPadding, 0);
  EXPECT_EQ(test::child<gui::SpinField>(&form, "itemPaddingField")->findChild<QLineEdit*>()->text(), "0");
  EXPECT_TRUE(form.document().isModified());
  EXPECT_EQ(test::child<gui::ProjectSettingsDialog>(&form, "projectSettingsDialog"),
            made);  // one dialog for the whole run
  form.document().setModified(false);
}

}  // namespace
}  // namespace corvantel::gui
