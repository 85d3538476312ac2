#include <gtest/gtest.h>

#include "app/Categories/ADBSubviews.h"
#include "app/Categories/ViewRecursion.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"

namespace {

ui::View::Ptr makeView(int tag) {
    auto view = std::make_shared<ui::View>();
    view->setTag(tag);
    return view;
}

// A chain root > 1 > 2 > 3 > 4 of plain views.
std::vector<ui::View::Ptr> chain(int length) {
    std::vector<ui::View::Ptr> views{makeView(0)};
    for (int level = 1; level <= length; ++level) {
        views.push_back(makeView(level));
        views[level - 1]->addSubview(views[level]);
    }
    return views;
}

}  // namespace

TEST(ADBSubviewsTest, FindsMatchesUpToTheDepthAndNeverTheViewItself) {
    auto views = chain(4);
    auto label = std::make_shared<ui::Label>();
    views[2]->addSubview(label);  // three levels below the root
    EXPECT_EQ(ADBSubviews::firstSubviewOfClass<ui::Label>(*views[0]), label);
    EXPECT_EQ(ADBSubviews::firstSubviewOfClass<ui::Label>(*views[0], 2), nullptr);

    label->removeFromSuperview();
    views[3]->addSubview(label);  // four levels below
    EXPECT_EQ(ADBSubviews::firstSubviewOfClass<ui::Label>(*views[0]), nullptr);
    EXPECT_EQ(ADBSubviews::firstSubviewOfClass<ui::Label>(*views[0], 4), label);
    EXPECT_EQ(ADBSubviews::firstSubviewOfClass<ui::Label>(*views[0], 0), nullptr);
    EXPECT_EQ(ADBSubviews::firstSubviewOfClass<ui::Label>(*views[0], -1), nullptr);

    // A view that is itself of the class is not its own match.
    EXPECT_EQ(ADBSubviews::firstSubviewOfClass<ui::Label>(*label), nullptr);
    // Subclasses count: a label is a view.
    EXPECT_EQ(ADBSubviews::firstSubviewOfClass<ui::View>(*views[2]), views[3]);
}

TEST(ADBSubviewsTest, ChecksEachLevelBeforeDescendingButEarlierBranchesFirst) {
    auto root = makeView(0);
    auto first = makeView(1);
    auto second = makeView(2);
    root->addSubview(first);
    root->addSubview(second);
    auto deepInFirst = std::make_shared<ui::ImageView>();
    auto directUnderSecond = std::make_shared<ui::ImageView>();
    auto inner = makeView(3);
    first->addSubview(inner);
    inner->addSubview(deepInFirst);
    second->addSubview(directUnderSecond);

    // The first branch is searched whole before the second one.
    EXPECT_EQ(ADBSubviews::firstSubviewOfClass<ui::ImageView>(*root), deepInFirst);

    // A direct subview beats anything deeper.
    auto direct = std::make_shared<ui::ImageView>();
    root->addSubview(direct);
    EXPECT_EQ(ADBSubviews::firstSubviewOfClass<ui::ImageView>(*root), direct);

    // Within a branch, the shallower match wins over an earlier deeper one.
    direct->removeFromSuperview();
    auto shallowInFirst = std::make_shared<ui::ImageView>();
    first->addSubview(shallowInFirst);
    EXPECT_EQ(ADBSubviews::firstSubviewOfClass<ui::ImageView>(*root), shallowInFirst);
}

TEST(ViewRecursionTest, ListsTheViewThenItsDescendantsDepthFirst) {
    auto root = makeView(0);
    auto a = makeView(1);
    auto a1 = makeView(2);
    auto b = makeView(3);
    root->addSubview(a);
    a->addSubview(a1);
    root->addSubview(b);
    std::vector<int> tags;
    for (const auto& view : ViewRecursion::allSubViews(root)) {
        tags.push_back(view->tag());
    }
    EXPECT_EQ(tags, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(ViewRecursion::allSubViews(b).size(), 1u);
    EXPECT_TRUE(ViewRecursion::allSubViews(nullptr).empty());
}
