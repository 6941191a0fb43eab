// The edit history: every operation taken back and done again exactly, with the same items, the view
// told rows it can follow, the saved state and the refusals.
#include "core/document/edit_history.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace corvantel::document {
namespace {

std::string dump(const MenuTree& tree) {
  std::string out;
  tree.forEach([&out](const MenuItem& item, int depth) {
    out += std::string(static_cast<std::size_t>(depth), ' ') + extractTitle(item.text()) + "|" +
           extractUrl(item.text()) + "\n";
  });
  return out;
}

// A view in the manner of a Qt item model: it keeps its own lists of child rows, fetched when first
// needed, and changes them only as the observer calls say (moves counted as QAbstractItemModel counts
// them). After every step its lists must equal the tree's.
class MirrorView : public MenuTreeObserver {
 public:
  explicit MirrorView(MenuTree& tree) : m_tree(tree) { tree.setObserver(this); }
  ~MirrorView() override { m_tree.setObserver(nullptr); }

  void aboutToInsert(const MenuItem* parent, int row) override {
    list(parent);  // fetched as it is before the insertion
    m_pending = {parent, row};
  }
  void inserted() override {
    auto& rows = list(m_pending.first);
    rows.insert(rows.begin() + m_pending.second, m_pending.first->child(m_pending.second));
  }
  void aboutToRemove(const MenuItem* parent, int row) override {
    auto& rows = list(parent);
    rows.erase(rows.begin() + row);
  }
  void removed() override {}
  void aboutToMove(const MenuItem* from, int fromRow, const MenuItem* to, int toRow) override {
    auto& source = list(from);
    const MenuItem* item = source[static_cast<std::size_t>(fromRow)];
    source.erase(source.begin() + fromRow);
    if (from == to && toRow > fromRow) --toRow;
    auto& target = list(to);
    ASSERT_LE(toRow, static_cast<int>(target.size()));
    target.insert(target.begin() + toRow, item);
  }
  void moved() override {}
  void textChanged(const MenuItem*) override {}
  void aboutToReset() override {}
  void reset() override { m_lists.clear(); }

  // Whether every list the view holds for an item in the tree matches the tree.
  bool matchesTree() const {
    for (const auto& [parent, rows] : m_lists) {
      if (!m_tree.isTop(parent) && !MenuTree::isInSubtree(parent, m_tree.top())) continue;  // detached
      if (rows != childrenOf(parent)) return false;
    }
    return true;
  }

 private:
  static std::vector<const MenuItem*> childrenOf(const MenuItem* parent) {
    std::vector<const MenuItem*> out;
    for (int i = 0; i < parent->childCount(); ++i) out.push_back(parent->child(i));
    return out;
  }
  std::vector<const MenuItem*>& list(const MenuItem* parent) {
    auto it = m_lists.find(parent);
    if (it == m_lists.end()) it = m_lists.emplace(parent, childrenOf(parent)).first;
    return it->second;
  }

  MenuTree& m_tree;
  std::map<const MenuItem*, std::vector<const MenuItem*>> m_lists;
  std::pair<const MenuItem*, int> m_pending{nullptr, 0};
};

class EditHistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.resetToNewProject();
    root = doc.tree().root();
    a = doc.tree().append(root, "A\ta.html", -1);
    a1 = doc.tree().append(a, "A1\t", -1);
    a2 = doc.tree().append(a, "A2\t", -1);
    b = doc.tree().append(root, "B\t", -1);
    c = doc.tree().append(root, "C\t", -1);
  }
  Document doc;
  MenuItem *root, *a, *a1, *a2, *b, *c;
};

TEST_F(EditHistoryTest, EveryOperationUndoesAndRedoesExactly) {
  MirrorView view(doc.tree());
  EditHistory history(doc);
  std::vector<std::string> states{dump(doc.tree())};
  std::vector<ProjectSettings> settings{doc.settings()};
  auto push = [&](EditOperationPtr op, const std::string& what) {
    ASSERT_TRUE(op) << what;
    history.push(std::move(op));
    ASSERT_TRUE(view.matchesTree()) << what;
    states.push_back(dump(doc.tree()));
    settings.push_back(doc.settings());
  };
  // Each edit builds on items made or moved by the ones before, so that redo must bring back the same
  // items for the later operations to find.
  push(makeAddChild(doc, a1, "\t", -1), "add submenu");
  MenuItem* added = a1->child(0);
  push(makeSetText(doc, added, "New\tnew.html"), "set");
  push(makeAddAfter(doc, a, "\t", -1), "add after");
  push(makeMoveBefore(doc, a1, c), "drop into another list");
  push(makeMoveDown(doc, a), "down");
  push(makeMoveUp(doc, c), "up");
  push(makeIndent(doc, b), "indent");
  push(makeOutdent(doc, a2), "outdent");
  push(makeMoveBefore(doc, added, root->child(0)), "drop a grandchild to the first row");
  push(makeRemove(doc, a1), "remove a subtree");
  ProjectSettings changed = doc.settings();
  changed.pageTitle = "Changed";
  push(makeSetSettings(doc, changed), "settings");
  MenuTree imported;
  MenuItem* importedRoot = imported.append(nullptr, "Menu\t", 0);
  imported.append(importedRoot, "Imported\ti.html", -1);
  push(makeReplaceTree(doc, std::move(imported)), "replace the tree");
  ASSERT_EQ(doc.tree().root(), importedRoot);
  push(makeAddChild(doc, importedRoot->child(0), "\t", -1), "add into the replacing tree");
  push(makeRemove(doc, importedRoot), "remove everything");
  ASSERT_TRUE(doc.tree().empty());

  while (history.canUndo()) {
    const std::string name = history.undoName();
    history.undo();
    EXPECT_TRUE(view.matchesTree()) << "undo " << name;
    EXPECT_EQ(dump(doc.tree()), states[history.index()]) << "undo " << name;
    EXPECT_EQ(doc.settings(), settings[history.index()]) << "undo " << name;
  }
  EXPECT_EQ(doc.tree().root(), root);
  EXPECT_EQ(a->child(0), a1) << "the removed subtree came back as the same items at its place";
  while (history.canRedo()) {
    const std::string name = history.redoName();
    history.redo();
    EXPECT_TRUE(view.matchesTree()) << "redo " << name;
    EXPECT_EQ(dump(doc.tree()), states[history.index()]) << "redo " << name;
    EXPECT_EQ(doc.settings(), settings[history.index()]) << "redo " << name;
  }
}

TEST_F(EditHistoryTest, ModifiedFlagFollowsTheSavedState) {
  EditHistory history(doc);
  history.push(makeSetText(doc, b, "B2\t"));
  EXPECT_TRUE(doc.isModified());
  EXPECT_EQ(history.undoName(), "Set");
  history.push(makeRemove(doc, c));
  history.setClean();  // saved here
  EXPECT_FALSE(doc.isModified());
  history.undo();
  EXPECT_TRUE(doc.isModified());
  EXPECT_EQ(history.redoName(), "Remove");
  history.redo();
  EXPECT_FALSE(doc.isModified()) << "redoing back to the saved state";
  history.undo();
  history.undo();
  history.push(makeAddChild(doc, b, "\t", -1, kEditAddSubmenu));  // drops the way to the saved state
  EXPECT_FALSE(history.canRedo());
  while (history.canUndo()) {
    history.undo();
    EXPECT_TRUE(doc.isModified()) << "the saved state cannot be reached any more";
  }
  history.clear();
  EXPECT_FALSE(doc.isModified());
  EXPECT_FALSE(history.canUndo());
  EXPECT_EQ(history.undoName(), "");
}

TEST_F(EditHistoryTest, EditsThatChangeNothingAreNotOperations) {
  EXPECT_FALSE(makeSetText(doc, b, "B\t"));
  EXPECT_FALSE(makeSetSettings(doc, doc.settings()));
  EXPECT_FALSE(makeRemove(doc, doc.tree().top()));
  EXPECT_FALSE(makeMoveUp(doc, a1)) << "first in its list";
  EXPECT_FALSE(makeMoveDown(doc, a2)) << "last in its list";
  EXPECT_FALSE(makeIndent(doc, a)) << "no previous sibling";
  EXPECT_FALSE(makeMoveBefore(doc, a, a1)) << "into its own subtree";
  EXPECT_FALSE(makeMoveBefore(doc, a1, a2)) << "already there";
  // The root stays first: it never moves and nothing takes its row.
  MenuItem* outside = doc.tree().append(nullptr, "X\t", -1);
  EXPECT_FALSE(makeMoveUp(doc, outside));
  EXPECT_FALSE(makeMoveDown(doc, root));
  EXPECT_FALSE(makeOutdent(doc, root));
  EXPECT_FALSE(makeMove(doc, a, nullptr, 0));
  EXPECT_TRUE(makeOutdent(doc, a)) << "a menu may leave the root, after it";
}

TEST(EditHistoryDepth, HundredThousandLevelsRemovedRestoredAndDropped) {
  constexpr int kDepth = 100000;
  Document doc;
  doc.resetToNewProject();
  MenuItem* top = doc.tree().append(doc.tree().root(), "chain\t", -1);
  MenuItem* item = top;
  for (int i = 0; i < kDepth; ++i) item = doc.tree().append(item, "x\t", -1);
  EditHistory history(doc);
  history.push(makeRemove(doc, top));
  EXPECT_EQ(doc.tree().itemCount(), 1u);
  history.undo();
  EXPECT_EQ(doc.tree().itemCount(), static_cast<std::size_t>(kDepth + 2));
  EXPECT_EQ(MenuTree::depth(item), kDepth + 1);
  history.redo();
  history.clear();  // the operation goes, and with it the 100,001 levels it kept
  EXPECT_EQ(doc.tree().itemCount(), 1u);
}

}  // namespace
}  // namespace corvantel::document
