// Ordered containers of pointers. They never own what they hold: whoever removes an
// item deletes it.
#pragma once

#include <vector>

// Returns nonzero when `item` is the one searched for.
typedef int (*PtrMatchFunc)(void* item, void* context);
// Returns <0, 0 or >0 as `a` sorts before, with or after `b`.
typedef int (*PtrCompareFunc)(void* a, void* b, void* context);

class CPtrSequence {
public:
    int GetCount() const { return static_cast<int>(m_items.size()); }
    // Null when the index is out of range.
    void* GetAt(int index) const;
    // Inserts before `index`; -1 (or any index past the end) appends. Returns the index used.
    int Add(void* item, int index = -1);
    // Removes `count` items from `index` on (clipped to the end); returns the first removed,
    // or null when nothing was removed.
    void* Remove(int index, int count = 1);
    void RemoveAll() { m_items.clear(); }
    // Moves `count` items starting at `index` so that the first of them ends at `target`
    // (an index in the sequence without the moved items). False when out of range.
    bool Move(int index, int count, int target);
    // Index of the first item from `start` on that `match` accepts, or -1.
    int Find(PtrMatchFunc match, void* context, int start = 0) const;
    // Stable sort.
    void Sort(PtrCompareFunc compare, void* context);

protected:
    CPtrSequence() = default;

private:
    std::vector<void*> m_items;
};

class CPtrArrayCtrl : public CPtrSequence {};
class CPtrListCtrl : public CPtrSequence {};
