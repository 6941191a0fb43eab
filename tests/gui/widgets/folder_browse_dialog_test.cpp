#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <functional>

#include "gui/app/user_prompts.h"
#include "gui/widgets/folder_browse_dialog.h"

using corvantel::gui::FolderBrowseDialog;
using corvantel::gui::UserPrompts;

namespace {

const QString kCancelled = QStringLiteral("<cancelled>");

// Answers the browser's prompts: each showing runs the next step, input boxes give the next name.
class BrowserScript : public UserPrompts {
 public:
  std::vector<std::function<int(QDialog*)>> showings;
  QStringList names;  // kCancelled answers as a cancelled box
  QStringList warnings;
  int shown = 0;

  Answer askYesNoCancel(QWidget*, const QString&) override { return Answer::Cancel; }
  bool confirmOkCancel(QWidget*, const QString&, int) override { return false; }
  void warning(QWidget*, const QString& text) override { warnings << text; }
  void error(QWidget*, const QString& text) override { ADD_FAILURE() << text.toStdString(); }
  QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
  QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
  std::optional<QString> inputText(QWidget*, const QString&, const QString&) override {
    if (names.isEmpty()) return std::nullopt;
    const QString name = names.takeFirst();
    if (name == kCancelled) return std::nullopt;
    return name;
  }
  int execDialog(QDialog* dialog) override {
    if (shown >= static_cast<int>(showings.size())) {
      ADD_FAILURE() << "shown more often than scripted";
      return QDialog::Rejected;
    }
    dialog->show();  // as exec() would, so that clicks land on laid-out buttons
    const int result = showings[static_cast<std::size_t>(shown++)](dialog);
    dialog->hide();
    return result;
  }
};

class FolderBrowseDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temp.isValid());
    old = corvantel::gui::setPrompts(&script);
    dialog.setFlags(FolderBrowseDialog::OnlyFileSystem | FolderBrowseDialog::ShowPath);
    dialog.setRootFolder(FolderBrowseDialog::MyComputerRoot);
  }
  void TearDown() override { corvantel::gui::setPrompts(old); }

  QString selectedPath() const {
    auto* model = static_cast<QStandardItemModel*>(dialog.folderTree()->model());
    QStandardItem* item = model->itemFromIndex(dialog.folderTree()->currentIndex());
    return item ? item->data(Qt::UserRole).toString() : QString();
  }

  QTemporaryDir temp;
  BrowserScript script;
  UserPrompts* old = nullptr;
  FolderBrowseDialog dialog;
};

}  // namespace

TEST_F(FolderBrowseDialogTest, OkOnlyForFoldersWithAPath) {
  script.showings.push_back([&](QDialog*) {
    // Nothing preselected: the computer item, which has no path.
    EXPECT_EQ(dialog.rootText(), "Computer");
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.newFolderButton()->isEnabled());
    EXPECT_EQ(dialog.statusLabel()->text(), "Computer");
    EXPECT_TRUE(dialog.selectFolder(temp.path()));
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_TRUE(dialog.newFolderButton()->isEnabled());
    EXPECT_EQ(dialog.statusLabel()->text(), temp.path());
    dialog.folderTree()->setCurrentIndex(dialog.folderTree()->model()->index(0, 0));
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    // Without OnlyFileSystem, OK stays enabled on the computer item.
    dialog.setFlags(FolderBrowseDialog::ShowPath);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    return int(QDialog::Rejected);
  });
  dialog.setFolder(QStringLiteral("/no/such/folder"));
  EXPECT_FALSE(dialog.browse());
  EXPECT_EQ(dialog.folder(), "/no/such/folder");  // a cancelled browser keeps the folder it had
}

TEST_F(FolderBrowseDialogTest, NewFolderIsMadeWithItsParentsAndSelectedWhenTheBrowserReopens) {
  const QString made = temp.path() + "/Output/site";
  script.names = {QStringLiteral("Output/site")};
  script.showings.push_back([&](QDialog*) {
    EXPECT_EQ(selectedPath(), temp.path());  // the last folder is preselected
    QTest::mouseClick(dialog.newFolderButton(), Qt::LeftButton);
    return int(QDialog::Rejected);
  });
  script.showings.push_back([&](QDialog*) {
    EXPECT_EQ(selectedPath(), made);
    EXPECT_EQ(dialog.currentPath(), made);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    return dialog.result();
  });
  dialog.setFolder(temp.path());
  EXPECT_TRUE(dialog.browse());
  EXPECT_EQ(script.shown, 2);
  EXPECT_TRUE(QDir(made).exists());
  EXPECT_EQ(dialog.folder(), made);
}

TEST_F(FolderBrowseDialogTest, ANameThatCannotBeMadeLeavesTheBrowserUsable) {
  QFile blocker(temp.path() + "/plain-file");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  script.names = {QStringLiteral("plain-file/inside"), QString(), kCancelled};
  script.showings.push_back([&](QDialog*) {
    EXPECT_TRUE(dialog.selectFolder(temp.path()));
    QTest::mouseClick(dialog.newFolderButton(), Qt::LeftButton);  // cannot be made
    EXPECT_EQ(script.warnings.size(), 1);
    QTest::mouseClick(dialog.newFolderButton(), Qt::LeftButton);  // empty name: nothing
    QTest::mouseClick(dialog.newFolderButton(), Qt::LeftButton);  // cancelled: nothing
    EXPECT_EQ(dialog.currentPath(), temp.path());
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    return int(QDialog::Accepted);
  });
  EXPECT_TRUE(dialog.browse());
  EXPECT_EQ(script.shown, 1);
  EXPECT_EQ(script.warnings.size(), 1);
  EXPECT_EQ(dialog.folder(), temp.path());
}

TEST_F(FolderBrowseDialogTest, CaptionsFollowTheLocaleKeyAndReplacedLists) {
  dialog.setLocaleKey(QStringLiteral("0407"));
  EXPECT_EQ(dialog.labelCaption(), QString::fromUtf8("Ausgew\xC3\xA4hlter Ordner:"));
  EXPECT_EQ(dialog.newFolderCaption(), "Neuer Ordner");
  dialog.setLocaleKey(QStringLiteral("0413"));
  EXPECT_EQ(dialog.labelCaption(), "Huidige map");
  dialog.setLocaleKey(QStringLiteral("041D"));
  EXPECT_EQ(dialog.labelCaption(), "Current folder:");
  EXPECT_EQ(dialog.labelCaptions().size(), 22);

  dialog.setLabelCaptions({QStringLiteral("Default=Aktueller Ordner:")});
  script.showings.push_back([&](QDialog*) {
    EXPECT_EQ(dialog.instructionLabel()->text(), "Aktueller Ordner:");
    EXPECT_EQ(dialog.newFolderButton()->text(), "New folder");
    return int(QDialog::Rejected);
  });
  EXPECT_FALSE(dialog.browse());
  dialog.setNewFolderCaptions({});
  EXPECT_EQ(dialog.newFolderCaption(), "");
}
