#include "ptr_containers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Both containers share one base; every test runs on each so neither can drift.
template <class Container> class PtrContainer : public ::testing::Test {
protected:
    int values[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    Container items;

    void Fill(int count) {
        for (int i = 0; i < count; ++i)
            items.Add(&values[i]);
    }
    // The held items by value; -1 marks a pointer that is not one of ours.
    std::vector<int> Values() const {
        std::vector<int> out;
        for (int i = 0; i < items.GetCount(); ++i) {
            auto* p = static_cast<const int*>(items.GetAt(i));
            out.push_back(p >= values && p < values + 10 ? *p : -1);
        }
        return out;
    }
};

using ContainerTypes = ::testing::Types<CPtrArrayCtrl, CPtrListCtrl>;
TYPED_TEST_SUITE(PtrContainer, ContainerTypes);

int MatchValue(void* item, void* context) {
    return *static_cast<int*>(item) == *static_cast<int*>(context);
}

} // namespace

TYPED_TEST(PtrContainer, AddAppendsOrInsertsBeforeTheIndex) {
    auto& items = this->items;
    int* v = this->values;
    EXPECT_EQ(items.Add(&v[0]), 0);
    EXPECT_EQ(items.Add(&v[1], -1), 1);
    EXPECT_EQ(items.Add(&v[2], 0), 0);
    EXPECT_EQ(items.Add(&v[3], 1), 1);
    EXPECT_EQ(items.Add(&v[4], items.GetCount()), 4);
    EXPECT_EQ(items.Add(&v[5], 100), 5);
    EXPECT_EQ(this->Values(), (std::vector<int>{2, 3, 0, 1, 4, 5}));
    EXPECT_EQ(items.GetCount(), 6);
}

TYPED_TEST(PtrContainer, GetAtOutOfRangeIsNull) {
    this->Fill(3);
    EXPECT_EQ(this->items.GetAt(0), &this->values[0]);
    EXPECT_EQ(this->items.GetAt(2), &this->values[2]);
    EXPECT_EQ(this->items.GetAt(3), nullptr);
    EXPECT_EQ(this->items.GetAt(-1), nullptr);
    this->items.RemoveAll();
    EXPECT_EQ(this->items.GetCount(), 0);
    EXPECT_EQ(this->items.GetAt(0), nullptr);
}

TYPED_TEST(PtrContainer, RemoveReturnsTheFirstRemovedAndClipsTheCount) {
    auto& items = this->items;
    this->Fill(6);
    EXPECT_EQ(items.Remove(1, 2), &this->values[1]);
    EXPECT_EQ(this->Values(), (std::vector<int>{0, 3, 4, 5}));
    EXPECT_EQ(items.Remove(2, 10), &this->values[4]);
    EXPECT_EQ(this->Values(), (std::vector<int>{0, 3}));
    EXPECT_EQ(items.Remove(0), &this->values[0]);
    EXPECT_EQ(this->Values(), (std::vector<int>{3}));

    // Nothing to remove: null and no change.
    EXPECT_EQ(items.Remove(1), nullptr);
    EXPECT_EQ(items.Remove(-1), nullptr);
    EXPECT_EQ(items.Remove(0, 0), nullptr);
    EXPECT_EQ(items.Remove(0, -2), nullptr);
    EXPECT_EQ(this->Values(), (std::vector<int>{3}));
}

TYPED_TEST(PtrContainer, MovePlacesTheBlockAtTheTarget) {
    const struct {
        int index, count, target;
        std::vector<int> expected;
    } cases[] = {
        {3, 1, 0, {3, 0, 1, 2, 4, 5}}, {1, 2, 3, {0, 3, 4, 1, 2, 5}}, {0, 2, 4, {2, 3, 4, 5, 0, 1}},
        {4, 2, 0, {4, 5, 0, 1, 2, 3}}, {0, 1, 5, {1, 2, 3, 4, 5, 0}}, {2, 1, 2, {0, 1, 2, 3, 4, 5}},
        {0, 6, 0, {0, 1, 2, 3, 4, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("index " + std::to_string(c.index) + " count " + std::to_string(c.count) + " target " +
                     std::to_string(c.target));
        this->items.RemoveAll();
        this->Fill(6);
        EXPECT_TRUE(this->items.Move(c.index, c.count, c.target));
        EXPECT_EQ(this->Values(), c.expected);
    }
}

TYPED_TEST(PtrContainer, MoveOutOfRangeIsRefusedAndChangesNothing) {
    const int invalid[][3] = {{-1, 1, 0}, {5, 2, 0}, {6, 1, 0},  {0, 0, 1}, {0, -1, 1},
                              {0, 1, 6},  {0, 2, 5}, {1, 1, -1}, {0, 7, 0}};
    this->Fill(6);
    for (const auto& m : invalid) {
        SCOPED_TRACE("index " + std::to_string(m[0]) + " count " + std::to_string(m[1]) + " target " +
                     std::to_string(m[2]));
        EXPECT_FALSE(this->items.Move(m[0], m[1], m[2]));
        EXPECT_EQ(this->Values(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    }
}

TYPED_TEST(PtrContainer, FindUsesTheMatchFunctionAndContextFromTheStart) {
    int* v = this->values;
    for (int i : {5, 7, 5, 9})
        this->items.Add(&v[i]);
    int wanted = 5;
    EXPECT_EQ(this->items.Find(MatchValue, &wanted), 0);
    EXPECT_EQ(this->items.Find(MatchValue, &wanted, 1), 2);
    EXPECT_EQ(this->items.Find(MatchValue, &wanted, 3), -1);
    EXPECT_EQ(this->items.Find(MatchValue, &wanted, 10), -1);
    EXPECT_EQ(this->items.Find(MatchValue, &wanted, -4), 0);
    wanted = 9;
    EXPECT_EQ(this->items.Find(MatchValue, &wanted), 3);
    wanted = 8;
    EXPECT_EQ(this->items.Find(MatchValue, &wanted), -1);
    EXPECT_EQ(this->items.Find(nullptr, &wanted), -1);
}

namespace {

struct Keyed {
    int key;
    int order; // position before sorting
};

// The context chooses the direction, so a sort that drops it shows.
int CompareKeys(void* a, void* b, void* context) {
    int direction = *static_cast<int*>(context);
    return direction * (static_cast<Keyed*>(a)->key - static_cast<Keyed*>(b)->key);
}

} // namespace

TYPED_TEST(PtrContainer, SortIsStableAndPassesTheContext) {
    // Enough items that an unstable sort would reorder equal keys.
    std::vector<Keyed> records;
    for (int i = 0; i < 300; ++i)
        records.push_back({(i * 7) % 5, i});
    for (Keyed& r : records)
        this->items.Add(&r);

    for (int direction : {1, -1}) {
        SCOPED_TRACE(direction);
        this->items.Sort(CompareKeys, &direction);
        ASSERT_EQ(this->items.GetCount(), 300);
        for (int i = 1; i < 300; ++i) {
            auto* previous = static_cast<Keyed*>(this->items.GetAt(i - 1));
            auto* current = static_cast<Keyed*>(this->items.GetAt(i));
            ASSERT_LE(direction * previous->key, direction * current->key) << "at " << i;
            if (previous->key == current->key) {
                ASSERT_LT(previous->order, current->order) << "at " << i;
            }
        }
    }
}
