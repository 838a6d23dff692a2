#include "base_string.h"

#include <cstring>

void CBaseStringA::Set(const char* text, int length) {
    if (text == nullptr) {
        m_text.clear();
        return;
    }
    if (length < 0) {
        m_text.assign(text);
        return;
    }
    // Stop at an embedded terminator, as the zero-terminated form would.
    const void* end = std::memchr(text, 0, size_t(length));
    m_text.assign(text, end ? static_cast<const char*>(end) - text : length);
}
