#include "ptr_containers.h"

#include <algorithm>

void* CPtrSequence::GetAt(int index) const {
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_items[size_t(index)];
}

int CPtrSequence::Add(void* item, int index) {
    if (index < 0 || index >= GetCount()) {
        m_items.push_back(item);
        return GetCount() - 1;
    }
    m_items.insert(m_items.begin() + index, item);
    return index;
}

void* CPtrSequence::Remove(int index, int count) {
    if (index < 0 || index >= GetCount() || count <= 0)
        return nullptr;
    count = std::min(count, GetCount() - index);
    void* first = m_items[size_t(index)];
    m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
    return first;
}

bool CPtrSequence::Move(int index, int count, int target) {
    if (index < 0 || count <= 0 || index > GetCount() - count || target < 0 || target > GetCount() - count)
        return false;
    auto first = m_items.begin() + index;
    if (target < index)
        std::rotate(m_items.begin() + target, first, first + count);
    else if (target > index)
        std::rotate(first, first + count, m_items.begin() + target + count);
    return true;
}

int CPtrSequence::Find(PtrMatchFunc match, void* context, int start) const {
    if (match == nullptr)
        return -1;
    for (int i = std::max(start, 0); i < GetCount(); ++i) {
        if (match(m_items[size_t(i)], context))
            return i;
    }
    return -1;
}

void CPtrSequence::Sort(PtrCompareFunc compare, void* context) {
    if (compare == nullptr)
        return;
    std::stable_sort(m_items.begin(), m_items.end(),
                     [&](void* a, void* b) { return compare(a, b, context) < 0; });
}
