#include <gtest/gtest.h>

#include <vector>

#include "engine/runtime/list.h"

namespace tuublark {
namespace {

struct Item {
    int Id;
};

TList<Item> MakeList(std::vector<std::shared_ptr<Item>>& items, int n) {
    TList<Item> list;
    for (int i = 0; i < n; ++i) {
        items.push_back(std::make_shared<Item>(Item{i}));
        ListAddLast(list, items.back());
    }
    return list;
}

TEST(ObjectList, AnyObjectMayBeRemovedDuringTheWalk) {
    struct Case {
        int Visited, Removed;
        std::vector<int> Seen;
    };
    const Case cases[] = {
        {1, 2, {0, 1, 3, 4}},     // the next one
        {2, 2, {0, 1, 2, 3, 4}},  // itself
        {1, 0, {0, 1, 2, 3, 4}},  // one already visited
        {4, 4, {0, 1, 2, 3, 4}},  // the last one, itself
        {0, 4, {0, 1, 2, 3}},     // the last one, early
    };
    for (const Case& c : cases) {
        std::vector<std::shared_ptr<Item>> items;
        TList<Item> list = MakeList(items, 5);
        std::vector<int> seen;
        list.Walk([&](const std::shared_ptr<Item>& item) {
            if (item->Id == c.Visited) ListRemove(list, items[static_cast<size_t>(c.Removed)].get());
            seen.push_back(item->Id);  // still usable after leaving the list
        });
        EXPECT_EQ(seen, c.Seen) << c.Visited << " removes " << c.Removed;
        EXPECT_EQ(list.Count(), 4u);
        seen.clear();
        list.Walk([&](const std::shared_ptr<Item>& item) { seen.push_back(item->Id); });
        EXPECT_EQ(seen.size(), 4u);
    }
}

TEST(ObjectList, RemovedObjectGoesWithItsLastReference) {
    TList<Item> list;
    auto item = std::make_shared<Item>(Item{1});
    std::weak_ptr<Item> watch = item;
    ListAddLast(list, item);
    item.reset();
    EXPECT_FALSE(watch.expired());
    list.Walk([&](const std::shared_ptr<Item>& i) { ListRemove(list, i.get()); });
    EXPECT_TRUE(watch.expired());
}

}  // namespace
}  // namespace tuublark
