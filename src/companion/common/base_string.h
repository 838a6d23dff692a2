// A narrow string owned on the heap.
#pragma once

#include <string>

class CBaseStringA {
public:
    CBaseStringA() = default;
    explicit CBaseStringA(const char* text, int length = -1) { Set(text, length); }

    // Replaces the text; length -1 means zero-terminated. A null text empties it.
    void Set(const char* text, int length = -1);
    const char* GetString() const { return m_text.c_str(); }
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }

private:
    std::string m_text;
};
