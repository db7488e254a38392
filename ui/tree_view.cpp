// The tree view model: nodes with their texts, images and record ids, found and removed.
#include <algorithm>
#include <utility>

#include "platform/locale.h"
#include "ui/views.h"

namespace tracklore::ui {

namespace {

bool Contains(const TTreeNode* ancestor, const TTreeNode* node) {
    for (; node != nullptr; node = node->Parent) {
        if (node == ancestor) return true;
    }
    return false;
}

TTreeNode* FindInChildren(TTreeNode& parent, int32_t id) {
    for (const auto& child : parent.Children) {
        if (child->Data == id) return child.get();
        if (TTreeNode* found = FindInChildren(*child, id)) return found;
    }
    return nullptr;
}

}  // namespace

int TTreeNode::Index() const {
    if (Parent == nullptr) return 0;
    const auto& siblings = Parent->Children;
    for (size_t i = 0; i < siblings.size(); ++i) {
        if (siblings[i].get() == this) return static_cast<int>(i);
    }
    return -1;
}

TTreeView::TTreeView() = default;

void TTreeView::BeginUpdate() {
    if (updateDepth_++ == 0 && observer_ != nullptr) observer_->BeginReset();
}

void TTreeView::EndUpdate() {
    if (updateDepth_ == 0) return;
    if (--updateDepth_ == 0 && observer_ != nullptr) observer_->EndReset();
}

void TTreeView::Clear() {
    const bool report = updateDepth_ == 0 && observer_ != nullptr;
    if (report) observer_->BeginReset();
    selected_ = nullptr;
    root_.Children.clear();
    if (report) observer_->EndReset();
}

TTreeNode* TTreeView::AddNode(TTreeNode* parent, std::string text, int image, int32_t data) {
    TTreeNode& owner = parent != nullptr ? *parent : root_;
    auto node = std::make_unique<TTreeNode>();
    node->Text = std::move(text);
    node->ImageIndex = image;
    node->SelectedIndex = image;
    node->Data = data;
    node->Parent = &owner;
    const bool report = updateDepth_ == 0 && observer_ != nullptr;
    // The observer sees the top level's parent as nullptr, never the invisible root.
    if (report)
        observer_->BeginInsertNode(parent == &root_ ? nullptr : parent,
                                   static_cast<int>(owner.Children.size()));
    owner.Children.push_back(std::move(node));
    if (report) observer_->EndInsertNode();
    return owner.Children.back().get();
}

TTreeNode* TTreeView::FindChild(TTreeNode* parent, const std::string& text) {
    TTreeNode& owner = parent != nullptr ? *parent : root_;
    for (const auto& child : owner.Children) {
        // Equal bytes are equal ignoring case too; only differing texts need the collator.
        if (child->Text == text || locale::CompareIgnoreCase(child->Text, text) == 0)
            return child.get();
    }
    return nullptr;
}

void TTreeView::DeleteNode(TTreeNode* node) {
    if (node == nullptr || node == &root_ || node->Parent == nullptr) return;
    TTreeNode* parent = node->Parent;
    const int index = node->Index();
    if (index < 0) return;
    if (Contains(node, selected_)) selected_ = nullptr;
    const bool report = updateDepth_ == 0 && observer_ != nullptr;
    if (report) observer_->BeginRemoveNode(parent == &root_ ? nullptr : parent, index);
    parent->Children.erase(parent->Children.begin() + index);
    if (report) observer_->EndRemoveNode();
}

void TTreeView::DeleteChildren(TTreeNode* node) {
    TTreeNode& owner = node != nullptr ? *node : root_;
    while (!owner.Children.empty())
        DeleteNode(owner.Children.back().get());
}

TTreeNode* TTreeView::FindNodeById(int32_t id) {
    // The invisible root is not a node of the tree: only its descendants are searched.
    return FindInChildren(root_, id);
}

}  // namespace tracklore::ui
