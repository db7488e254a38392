// Tests of the tree view model: nodes, lookups and updates.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/views.h"

namespace tracklore::ui {
namespace {

class TRecordingTreeObserver : public TTreeObserver {
public:
    std::vector<std::string> Events;
    std::vector<const TTreeNode*> Parents;
    void BeginReset() override { Events.push_back("reset"); }
    void EndReset() override { Events.push_back("/reset"); }
    void BeginInsertNode(const TTreeNode* parent, int index) override {
        Events.push_back("insert " + std::to_string(index));
        Parents.push_back(parent);
    }
    void EndInsertNode() override { Events.push_back("/insert"); }
    void BeginRemoveNode(const TTreeNode* parent, int index) override {
        Events.push_back("remove " + std::to_string(index));
        Parents.push_back(parent);
    }
    void EndRemoveNode() override { Events.push_back("/remove"); }
};

TEST(TreeView, AddNodeReportsTopLevelParentAsNull) {
    TTreeView tree;
    TRecordingTreeObserver observer;
    tree.SetObserver(&observer);
    TTreeNode* artist = tree.AddNode(nullptr, "Artist", 0, -1);
    TTreeNode* album = tree.AddNode(artist, "Album", 1, -2);
    EXPECT_EQ(observer.Events,
              (std::vector<std::string>{"insert 0", "/insert", "insert 0", "/insert"}));
    EXPECT_EQ(observer.Parents, (std::vector<const TTreeNode*>{nullptr, artist}));
    EXPECT_EQ(album->Parent, artist);
    EXPECT_EQ(artist->Parent, &tree.Root());
    EXPECT_EQ(album->ImageIndex, 1);
    EXPECT_EQ(album->SelectedIndex, 1);
}

TEST(TreeView, UpdateBlockIsOneReset) {
    TTreeView tree;
    TRecordingTreeObserver observer;
    tree.SetObserver(&observer);
    tree.BeginUpdate();
    tree.Clear();
    TTreeNode* artist = tree.AddNode(nullptr, "A", 0, -1);
    tree.AddNode(artist, "t", 2, 5);
    tree.DeleteNode(artist);
    tree.EndUpdate();
    EXPECT_EQ(observer.Events, (std::vector<std::string>{"reset", "/reset"}));
}

TEST(TreeView, FindChildIgnoresCase) {
    TTreeView tree;
    TTreeNode* artist = tree.AddNode(nullptr, "The Beatles", 0, -1);
    TTreeNode* album = tree.AddNode(artist, "Abbey Road", 1, -2);
    EXPECT_EQ(tree.FindChild(nullptr, "THE BEATLES"), artist);
    EXPECT_EQ(tree.FindChild(artist, "abbey road"), album);
    EXPECT_EQ(tree.FindChild(artist, "Abbey"), nullptr);
    EXPECT_EQ(tree.FindChild(album, "Abbey Road"), nullptr);
}

TEST(TreeView, FindNodeByIdSearchesDepthFirst) {
    TTreeView tree;
    TTreeNode* first = tree.AddNode(nullptr, "A", 0, -3);
    TTreeNode* album = tree.AddNode(first, "Album", 1, -2);
    TTreeNode* deep = tree.AddNode(album, "t1", 2, 7);
    TTreeNode* second = tree.AddNode(nullptr, "B", 0, -3);
    tree.AddNode(second, "t2", 2, 7);
    TTreeNode* zero = tree.AddNode(second, "t0", 2, 0);
    EXPECT_EQ(tree.FindNodeById(7), deep);
    EXPECT_EQ(tree.FindNodeById(-2), album);
    // The invisible root's own data never matches.
    EXPECT_EQ(tree.FindNodeById(0), zero);
    EXPECT_EQ(tree.FindNodeById(99), nullptr);
}

TEST(TreeView, DeleteNodeReportsItsIndexAndClearsASelectionInside) {
    TTreeView tree;
    TTreeNode* a = tree.AddNode(nullptr, "A", 0, -3);
    TTreeNode* b = tree.AddNode(nullptr, "B", 0, -3);
    TTreeNode* title = tree.AddNode(b, "t", 2, 4);
    tree.SetSelected(title);
    TRecordingTreeObserver observer;
    tree.SetObserver(&observer);
    tree.DeleteNode(a);
    EXPECT_EQ(tree.Selected(), title);
    EXPECT_EQ(b->Index(), 0);
    tree.DeleteNode(b);
    EXPECT_EQ(tree.Selected(), nullptr);
    EXPECT_TRUE(tree.Root().Children.empty());
    EXPECT_EQ(observer.Events,
              (std::vector<std::string>{"remove 0", "/remove", "remove 0", "/remove"}));
}

TEST(TreeView, DeleteChildrenKeepsTheNode) {
    TTreeView tree;
    TTreeNode* artist = tree.AddNode(nullptr, "A", 0, -1);
    tree.AddNode(artist, "t1", 2, 1);
    tree.AddNode(artist, "t2", 2, 2);
    tree.DeleteChildren(artist);
    EXPECT_TRUE(artist->Children.empty());
    EXPECT_EQ(tree.Root().Children.size(), 1u);
}

TEST(TreeView, ClearEmptiesTheTreeAndTheSelection) {
    TTreeView tree;
    tree.SetSelected(tree.AddNode(nullptr, "A", 0, -1));
    tree.Clear();
    EXPECT_TRUE(tree.Root().Children.empty());
    EXPECT_EQ(tree.Selected(), nullptr);
}

}  // namespace
}  // namespace tracklore::ui
