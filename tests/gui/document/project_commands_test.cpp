// The document cycle of the main window: New, Open, Save, Save as, Exit and the close question, with the
// save question answered by a script.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QUndoStack>

#include "core/io/file_io.h"
#include "gui/app/main_window.h"
#include "gui/app/menu_tree_view.h"
#include "gui/document/menu_tree_model.h"
#include "gui/document/project_settings_dialog.h"
#include "gui/document/spin_field.h"
#include "gui/widgets/color_button.h"
#include "support/gui/find_child.h"
#include "support/gui/scripted_prompts.h"

namespace corvantel::gui {
namespace {

using test::ScriptedPrompts;
using Answer = UserPrompts::Answer;
using Kind = ScriptedPrompts::Kind;

class ProjectCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    StartOptions options;
    options.programFolder = folder.path().toStdString() + "/";
    form = std::make_unique<MainWindow>(options);
    form->newProject();
  }

  std::string file(const char* name) const { return folder.filePath(QString::fromLatin1(name)).toStdString(); }
  QString qfile(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
  std::size_t items() const { return form->document().tree().itemCount(); }
  bool modified() const { return form->document().isModified(); }
  // Makes a change the save question asks about.
  void edit() { form->addMenu(); }
  // Asks the window to close, as the window system does; true when it closed.
  bool closes() { return form->close(); }

  QTemporaryDir folder;
  ScriptedPrompts prompts;
  std::unique_ptr<MainWindow> form;
};

TEST_F(ProjectCommands, SaveAsThenSaveAndTheModifiedFlag) {
  EXPECT_EQ(form->document().projectFileName(), "noname");
  EXPECT_FALSE(modified());
  edit();
  EXPECT_TRUE(modified());
  prompts.answerSaveFile(qfile("site"));  // typed without extension
  form->saveProject();
  EXPECT_EQ(prompts.texts(Kind::SaveFile), QStringList{"Corvantel project (*.cvp);;All files (*)"});
  EXPECT_EQ(form->document().projectFileName(), file("site.cvp"));
  EXPECT_TRUE(io::fileExists(file("site.cvd")));
  EXPECT_FALSE(modified());

  // Saved: no question at New project any more.
  edit();
  form->saveProject();  // no dialog this time
  EXPECT_EQ(prompts.texts(Kind::SaveFile).size(), 1);
  EXPECT_FALSE(modified());

  // The history survives the save, whose state is the clean one: undoing away from it and redoing back.
  form->undo();
  EXPECT_TRUE(modified());
  form->redo();
  EXPECT_FALSE(modified());
  form->newProject();
  EXPECT_TRUE(prompts.texts(Kind::YesNoCancel).isEmpty());
  EXPECT_FALSE(form->undoStack()->canUndo()) << "New clears the history";
}

TEST_F(ProjectCommands, SaveAsAsksBeforeReplacingAnotherProjectsFiles) {
  prompts.answerSaveFile(qfile("mine.cvp"));
  form->saveProjectAs();
  QFile other(qfile("other.cvd"));  // only the menu data file of another project
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.write("Other\t\r\n");
  other.close();
  edit();

  // No: back to the dialog, which proposes the name chosen; the project's own name asks nothing.
  prompts.answerSaveFile(qfile("other.cvp")).answerYesNoCancel(Answer::No).answerSaveFile(qfile("mine.cvp"));
  form->saveProjectAs();
  const QStringList questions = prompts.texts(Kind::YesNoCancel);
  ASSERT_EQ(questions.size(), 1);
  EXPECT_TRUE(questions[0].contains(qfile("other.cvp")) && questions[0].contains(qfile("other.cvd"))) << questions[0].toStdString();
  EXPECT_EQ(form->document().projectFileName(), file("mine.cvp"));
  EXPECT_FALSE(modified());

  // Cancel ends Save as; Yes replaces the other project's files.
  edit();
  prompts.answerSaveFile(qfile("other")).answerYesNoCancel(Answer::Cancel);
  form->saveProjectAs();
  EXPECT_EQ(io::readFileBytes(file("other.cvd")).value_or(""), "Other\t\r\n");
  EXPECT_TRUE(modified());
  prompts.answerSaveFile(qfile("other")).answerYesNoCancel(Answer::Yes);
  form->saveProjectAs();
  EXPECT_EQ(form->document().projectFileName(), file("other.cvp"));
  EXPECT_NE(io::readFileBytes(file("other.cvd")).value_or(""), "Other\t\r\n");
}

TEST_F(ProjectCommands, SettingsChangedWithOkAreAskedAbout) {
  prompts.answerDialog(QDialog::Accepted, [](QDialog* d) {
    test::child<QLineEdit>(static_cast<ProjectSettingsDialog*>(d), "pageTitleEdit")->setText(QStringLiteral("Changed"));
  });
  form->editProjectSettings();
  EXPECT_EQ(form->document().settings().pageTitle, "Changed");
  EXPECT_TRUE(modified());
  form->undo();  // one step: the settings as they were, and the project unmodified again
  EXPECT_NE(form->document().settings().pageTitle, "Changed");
  EXPECT_FALSE(modified());
  form->redo();

  // OK without a real change leaves the flag as it was.
  form->document().setModified(false);
  prompts.answerDialog(QDialog::Accepted);
  form->editProjectSettings();
  EXPECT_FALSE(modified());
}

TEST_F(ProjectCommands, NewProjectQuestion) {
  edit();
  const std::size_t before = items();
  prompts.answerYesNoCancel(Answer::Cancel);
  form->newProject();
  EXPECT_EQ(items(), before);
  EXPECT_TRUE(modified());

  // Yes, and then the file dialog is cancelled: nothing is thrown away.
  prompts.answerYesNoCancel(Answer::Yes).answerSaveFile(QString());
  form->newProject();
  EXPECT_EQ(items(), before);
  EXPECT_TRUE(modified());

  // Yes, and the save fails: the error is shown and the work stays.
  prompts.answerYesNoCancel(Answer::Yes).answerSaveFile(qfile("missing/x.cvp")).expectError();
  form->newProject();
  EXPECT_EQ(items(), before);
  EXPECT_EQ(prompts.texts(Kind::Error), QStringList{"Unable to write to " + qfile("missing/x.cvp") + "."});
  EXPECT_EQ(form->document().projectFileName(), "noname");

  prompts.answerYesNoCancel(Answer::No);
  form->newProject();
  EXPECT_EQ(items(), 1u);
  EXPECT_FALSE(modified());
  const QStringList questions = prompts.texts(Kind::YesNoCancel);
  EXPECT_EQ(questions.size(), 4);
  EXPECT_EQ(questions.front(), "Do you want to save this project ?");
}

TEST_F(ProjectCommands, OpenProjectQuestionAndReopen) {
  // A project of the relative table type, saved and reopened.
  prompts.answerDialog(QDialog::Accepted, [](QDialog* d) {
    auto* dialog = static_cast<ProjectSettingsDialog*>(d);
    test::child<QRadioButton>(dialog, "relativeTableMenuRadio")->click();
    test::child<gui::ColorButton>(dialog, "separatorColorButton")->setSelectionColor(0x00FF00);
  });
  form->editProjectSettings();
  edit();
  prompts.answerSaveFile(qfile("rel.cvp"));
  form->saveProjectAs();
  QFile cvp(qfile("rel.cvp"));
  ASSERT_TRUE(cvp.open(QIODevice::ReadOnly));
  const QByteArray written = cvp.readAll();
  EXPECT_TRUE(written.contains("MenuType=2\r\n")) << written.toStdString();
  EXPECT_TRUE(written.contains("SeparatorColor=65280\r\n")) << written.toStdString();

  form->newProject();
  EXPECT_EQ(form->document().settings(), document::ProjectSettings{}) << "New starts from the default settings";
  edit();
  // Cancel stops Open project before its dialog.
  prompts.answerYesNoCancel(Answer::Cancel);
  form->openProject();
  EXPECT_TRUE(prompts.texts(Kind::OpenFile).isEmpty());
  EXPECT_TRUE(modified());
  // No: the dialog, then the project.
  prompts.answerYesNoCancel(Answer::No).answerOpenFile(qfile("rel.cvp"));
  form->openProject();
  EXPECT_FALSE(modified());
  EXPECT_EQ(form->document().projectFileName(), file("rel.cvp"));
  EXPECT_EQ(form->document().settings().menuType, document::MenuType::TableRelative);
  EXPECT_EQ(form->document().settings().separatorColor, 0x00FF00);
  EXPECT_EQ(items(), 2u);

  // The dialog shows the type with X and Y disabled; the script-drawn type enables them.
  prompts.answerDialog(QDialog::Rejected, [](QDialog* d) {
    auto* dialog = static_cast<ProjectSettingsDialog*>(d);
    EXPECT_TRUE(test::child<QRadioButton>(dialog, "relativeTableMenuRadio")->isChecked());
    EXPECT_FALSE(test::child<gui::SpinField>(dialog, "xField")->isEnabled());
    EXPECT_FALSE(test::child<QLabel>(dialog, "yLabel")->isEnabled());
  });
  form->editProjectSettings();

  // A cancelled open dialog changes nothing.
  prompts.answerOpenFile(QString());
  form->openProject();
  EXPECT_EQ(form->document().projectFileName(), file("rel.cvp"));
}

TEST_F(ProjectCommands, OpenProjectFileAsksFirstAndKeepsTheDocumentOnError) {
  QFile bad(qfile("bad.cvd"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("Menu\t\r\n\tKept\r\n\t\t\tToo deep\r\n");
  bad.close();
  edit();
  prompts.answerYesNoCancel(Answer::Cancel);
  EXPECT_FALSE(form->openProjectFile(qfile("bad.cvp")));
  EXPECT_EQ(form->document().projectFileName(), "noname");

  prompts.answerYesNoCancel(Answer::No);
  try {
    form->openProjectFile(qfile("bad.cvp"));
    ADD_FAILURE() << "no error";
  } catch (const std::exception& e) {
    EXPECT_EQ(std::string(e.what()), "Invalid level (3) for item \"Too deep\" in line 3 of " + file("bad.cvd"));
  }
  // The failed open changed nothing in the document: the edited tree and the name are as they were.
  EXPECT_EQ(items(), 2u);
  EXPECT_EQ(form->document().tree().root()->child(0)->text(), "\t");
  EXPECT_EQ(form->document().projectFileName(), "noname");
  EXPECT_TRUE(modified());
}

TEST_F(ProjectCommands, ClosingAsksOnceAndCanBeStopped) {
  edit();
  prompts.answerYesNoCancel(Answer::Cancel);
  form->exitProgram();
  EXPECT_EQ(prompts.texts(Kind::YesNoCancel).size(), 1);  // Exit does not ask on its own
  EXPECT_TRUE(modified());

  // Yes with a cancelled Save as keeps the window open.
  prompts.answerYesNoCancel(Answer::Yes).answerSaveFile(QString());
  EXPECT_FALSE(closes());
  EXPECT_TRUE(modified());

  // Yes with a save: the window closes, the work is on disk.
  prompts.answerYesNoCancel(Answer::Yes).answerSaveFile(qfile("closed.cvp"));
  EXPECT_TRUE(closes());
  EXPECT_TRUE(io::fileExists(file("closed.cvd")));
  EXPECT_EQ(prompts.texts(Kind::YesNoCancel).size(), 3);
}

TEST_F(ProjectCommands, ClosingWithNoOrWithoutChanges) {
  EXPECT_TRUE(closes());
  EXPECT_TRUE(prompts.texts(Kind::YesNoCancel).isEmpty());
  form->newProject();
  edit();
  prompts.answerYesNoCancel(Answer::No);
  EXPECT_TRUE(closes());
  EXPECT_EQ(prompts.texts(Kind::YesNoCancel).size(), 1);
}

TEST_F(ProjectCommands, FailedSaveAsKeepsTheNameAndTheFlag) {
  prompts.answerSaveFile(qfile("ok.cvp"));
  form->saveProjectAs();
  edit();
  QDir(folder.path()).mkdir(QStringLiteral("taken.cvd"));
  prompts.answerSaveFile(qfile("taken.cvp")).answerYesNoCancel(Answer::Yes);
  EXPECT_THROW(form->saveProjectAs(), std::exception);
  EXPECT_EQ(form->document().projectFileName(), file("ok.cvp"));
  EXPECT_TRUE(modified());
  EXPECT_FALSE(io::fileExists(file("taken.cvp")));
}

TEST(ProjectStartUp, OpensTheFirstArgumentMadeAbsoluteSkippingSwitches) {
  QTemporaryDir folder;
  ScriptedPrompts prompts;
  QFile data(folder.filePath(QStringLiteral("start.cvd")));
  ASSERT_TRUE(data.open(QIODevice::WriteOnly));
  data.write("Menu\t\r\n\tOne\tone.html\r\n");
  data.close();
  const QString previous = QDir::currentPath();
  QDir::setCurrent(folder.path());
  StartOptions options;
  options.programFolder = folder.path().toStdString() + "/";
  // The help log's switch is no project name, wherever it stands.
  options.arguments = QStringList{QStringLiteral("/Debug"), QStringLiteral("start.cvp"), QStringLiteral("ignored")};
  MainWindow form(options);
  form.show();
  QDir::setCurrent(previous);
  EXPECT_EQ(form.document().projectFileName(), folder.filePath(QStringLiteral("start.cvp")).toStdString());
  EXPECT_EQ(form.document().tree().itemCount(), 2u);
  EXPECT_EQ(form.document().settings().yPos, 0);  // no settings file: the reading defaults
  EXPECT_FALSE(form.document().isModified());
  EXPECT_TRUE(prompts.texts(Kind::Error).isEmpty());
  form.document().setModified(false);
}

}  // namespace
}  // namespace corvantel::gui
