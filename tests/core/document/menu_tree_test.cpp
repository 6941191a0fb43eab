// The menu tree: text splitting, the drop rules, removal of subtrees, the observer calls a view relies
// on, and trees far deeper than any stack.
#include "core/document/menu_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/document/document.h"

namespace corvantel {
namespace {

// Writes the tree as "text(children)" with the captions only, e.g. "Menu(A(A1 A2) B)".
std::string shape(const document::MenuItem& item) {
  std::string out = document::extractTitle(item.text());
  if (item.hasChildren()) {
    out += "(";
    for (int i = 0; i < item.childCount(); ++i) {
      if (i) out += " ";
      out += shape(*item.child(i));
    }
    out += ")";
  }
  return out;
}

std::string shape(const document::MenuTree& tree) {
  std::string out;
  for (int i = 0; i < tree.top()->childCount(); ++i) {
    if (i) out += " | ";
    out += shape(*tree.top()->child(i));
  }
  return out;
}

// Root "Menu" with A(A1 A2 A3) and B(B1); the fixture names every item.
class MenuTreeDrop : public ::testing::Test {
 protected:
  void SetUp() override {
    root = tree.append(nullptr, "Menu\t", 0);
    a = tree.append(root, "A\ta.html", -1);
    a1 = tree.append(a, "A1\t", -1);
    a2 = tree.append(a, "A2\t", -1);
    a3 = tree.append(a, "A3\t", -1);
    b = tree.append(root, "B\t", -1);
    b1 = tree.append(b, "B1\t", -1);
    ASSERT_EQ(shape(tree), "Menu(A(A1 A2 A3) B(B1))");
  }
  document::MenuTree tree;
  document::MenuItem *root, *a, *a1, *a2, *a3, *b, *b1;
};

TEST_F(MenuTreeDrop, LandsDirectlyBeforeTheTarget) {
  document::MoveResult r = tree.moveBefore(a3, a1);  // third child onto the first: the new first child
  EXPECT_TRUE(r.moved);
  EXPECT_EQ(shape(tree), "Menu(A(A3 A1 A2) B(B1))");
  EXPECT_EQ(r.oldParent, a);
  EXPECT_EQ(r.newParent, a);
  EXPECT_FALSE(r.oldParentEmptied);

  EXPECT_TRUE(tree.moveBefore(a3, a2).moved);  // forwards within the list
  EXPECT_EQ(shape(tree), "Menu(A(A1 A3 A2) B(B1))");
}

TEST_F(MenuTreeDrop, OntoOwnParentGoesOneLevelUpBeforeIt) {
  EXPECT_TRUE(tree.moveBefore(b1, b).moved);
  EXPECT_EQ(shape(tree), "Menu(A(A1 A2 A3) B1 B)");
  EXPECT_EQ(b1->parent(), root);
}

TEST_F(MenuTreeDrop, WholeSubtreeMovesIntoAnotherList) {
  document::MoveResult r = tree.moveBefore(a, b1);
  EXPECT_TRUE(r.moved);
  EXPECT_EQ(shape(tree), "Menu(B(A(A1 A2 A3) B1))");
  EXPECT_EQ(a->parent(), b);
  EXPECT_EQ(a1->parent(), a);
  EXPECT_EQ(a->text(), "A\ta.html");
  EXPECT_EQ(r.newParent, b);
}

TEST_F(MenuTreeDrop, MovingTheOnlyChildEmptiesTheOldParent) {
  document::MoveResult r = tree.moveBefore(b1, a2);
  EXPECT_TRUE(r.moved);
  EXPECT_TRUE(r.oldParentEmptied);
  EXPECT_EQ(r.oldParent, b);
  EXPECT_FALSE(b->hasChildren());
  EXPECT_EQ(shape(tree), "Menu(A(A1 B1 A2 A3) B)");
}

TEST_F(MenuTreeDrop, RefusedDropsChangeNothing) {
  const std::string before = shape(tree);
  EXPECT_FALSE(tree.moveBefore(a, root).moved) << "onto the root";
  EXPECT_FALSE(tree.moveBefore(a, a).moved) << "onto itself";
  EXPECT_FALSE(tree.moveBefore(a, a2).moved) << "into its own subtree";
  EXPECT_FALSE(tree.moveBefore(root, b1).moved) << "the root into its subtree";
  EXPECT_FALSE(tree.moveBefore(a, nullptr).moved) << "no target";
  EXPECT_FALSE(tree.moveBefore(a, tree.top()).moved) << "the invisible top";
  EXPECT_FALSE(tree.moveBefore(a1, a2).moved) << "onto the next sibling: already there";
  EXPECT_EQ(shape(tree), before);
}

TEST_F(MenuTreeDrop, RootStaysFirstWithFurtherTopLevelItems) {
  document::MenuItem* outside1 = tree.append(nullptr, "X\t", -1);
  document::MenuItem* outside2 = tree.append(nullptr, "Y\t", -1);
  EXPECT_FALSE(tree.moveBefore(root, outside2).moved);
  EXPECT_FALSE(tree.moveBefore(outside1, root).moved);
  EXPECT_EQ(tree.root(), root);
  EXPECT_TRUE(tree.moveBefore(outside2, outside1).moved);
  EXPECT_TRUE(tree.moveBefore(a1, outside1).moved) << "a menu item may leave the menu";
  EXPECT_EQ(shape(tree), "Menu(A(A2 A3) B(B1)) | Y | A1 | X");
}

TEST_F(MenuTreeDrop, RemoveTakesTheWholeSubtree) {
  for (int i = 0; i < 5; ++i) tree.append(b, "s\t", -1);
  EXPECT_EQ(tree.itemCount(), 12u);
  tree.remove(b);
  EXPECT_EQ(tree.itemCount(), 5u);
  EXPECT_EQ(shape(tree), "Menu(A(A1 A2 A3))");
  tree.remove(a2);
  EXPECT_EQ(shape(tree), "Menu(A(A1 A3))");
  tree.remove(tree.top());  // the invisible top is not an item
  EXPECT_EQ(tree.itemCount(), 4u);
}

TEST(MenuItemText, CaptionBeforeFirstTabAddressAfterIt) {
  EXPECT_EQ(document::extractTitle("Home\tindex.html"), "Home");
  EXPECT_EQ(document::extractUrl("Home\tindex.html"), "index.html");
  EXPECT_EQ(document::extractTitle("no tab at all"), "");
  EXPECT_EQ(document::extractUrl("no tab at all"), "no tab at all");
  EXPECT_EQ(document::extractTitle("A\tB\tc.html"), "A");  // a pasted tab: the rest belongs to the address
  EXPECT_EQ(document::extractUrl("A\tB\tc.html"), "B\tc.html");
  EXPECT_EQ(document::extractTitle("\t"), "");
  EXPECT_EQ(document::extractUrl("\t"), "");
}

TEST(MenuTreeText, SetTextReportsWhetherItChanged) {
  document::MenuTree tree;
  document::MenuItem* item = tree.append(nullptr, "Menu\t", 0);
  EXPECT_FALSE(tree.setText(item, "Menu\t"));
  EXPECT_TRUE(tree.setText(item, "Start\t/"));
  EXPECT_EQ(item->text(), "Start\t/");
}

TEST(MenuTreeDocument, NewProjectHoldsOnlyTheRoot) {
  document::Document doc;
  doc.tree().append(nullptr, "old\t", -1);
  doc.resetToNewProject();
  ASSERT_EQ(doc.tree().itemCount(), 1u);
  EXPECT_EQ(doc.tree().root()->text(), "Menu\t");
  EXPECT_EQ(doc.tree().root()->imageIndex(), 0);
}

// Records the observer calls as text.
class Recorder : public document::MenuTreeObserver {
 public:
  explicit Recorder(const document::MenuTree& tree) : m_tree(tree) {}
  std::vector<std::string> calls;
  void aboutToInsert(const document::MenuItem* p, int row) override {
    calls.push_back("insert " + name(p) + " " + std::to_string(row));
  }
  void inserted() override { calls.push_back("inserted"); }
  void aboutToRemove(const document::MenuItem* p, int row) override {
    calls.push_back("remove " + name(p) + " " + std::to_string(row));
  }
  void removed() override { calls.push_back("removed"); }
  void aboutToMove(const document::MenuItem* f, int fr, const document::MenuItem* t, int tr) override {
    calls.push_back("move " + name(f) + " " + std::to_string(fr) + " " + name(t) + " " + std::to_string(tr));
  }
  void moved() override { calls.push_back("moved"); }
  void textChanged(const document::MenuItem* item) override { calls.push_back("text " + name(item)); }
  void aboutToReset() override { calls.push_back("reset"); }
  void reset() override { calls.push_back("reset done"); }

 private:
  std::string name(const document::MenuItem* item) const { return m_tree.isTop(item) ? "top" : document::extractTitle(item->text()); }
  const document::MenuTree& m_tree;
};

TEST_F(MenuTreeDrop, ObserverHearsEveryChangeWithRowsBeforeTheChange) {
  Recorder rec(tree);
  tree.setObserver(&rec);
  tree.append(b, "B2\t", -1);
  tree.moveBefore(a3, a1);
  tree.moveBefore(a1, b1);   // the row given for the destination is the target's row before the move
  tree.moveBefore(a, root);  // refused: no calls
  tree.setText(b1, "B1\t");  // unchanged: no call
  tree.setText(b1, "Bx\t");
  tree.remove(a);
  tree.clear();
  tree.setObserver(nullptr);
  EXPECT_EQ(rec.calls,
            (std::vector<std::string>{"insert B 1", "inserted", "move A 2 A 0", "moved", "move A 1 B 0", "moved",
                                      "text Bx", "remove Menu 0", "removed", "reset", "reset done"}));
}

TEST(MenuTreeDepth, HundredThousandLevelsBuiltWalkedAndDestroyed) {
  constexpr int kDepth = 100000;
  auto tree = std::make_unique<document::MenuTree>();
  document::MenuItem* item = tree->append(nullptr, "Menu\t", 0);
  for (int i = 0; i < kDepth; ++i) item = tree->append(item, "x\t", -1);
  EXPECT_EQ(document::MenuTree::depth(item), kDepth);
  EXPECT_TRUE(document::MenuTree::isInSubtree(item, tree->root()));
  int visited = 0, deepest = 0;
  tree->forEach([&](const document::MenuItem&, int depth) {
    ++visited;
    deepest = std::max(deepest, depth);
  });
  EXPECT_EQ(visited, kDepth + 1);
  EXPECT_EQ(deepest, kDepth);
  EXPECT_EQ(tree->itemCount(), static_cast<std::size_t>(kDepth + 1));
  // Moving a deep chain and deleting it: no recursion anywhere.
  document::MenuItem* middle = item;
  for (int i = 0; i < kDepth / 2; ++i) middle = middle->parent();
  EXPECT_FALSE(tree->moveBefore(middle, item).moved);
  EXPECT_TRUE(tree->moveBefore(middle, tree->root()->child(0)).moved);
  tree->remove(middle);
  EXPECT_EQ(tree->itemCount(), static_cast<std::size_t>(kDepth / 2));
  tree.reset();  // the destructor walks the remaining 50,000 levels
  SUCCEED();
}

}  // namespace
}  // namespace corvantel
