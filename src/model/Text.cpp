#include "model/Text.h"

#include <cstring>
#include <limits>
#include <new>
#include <ostream>

namespace {

std::uint32_t CheckedSize(std::size_t size) {
    if (size > std::numeric_limits<std::uint32_t>::max()) {
        throw std::bad_alloc();
    }
    return static_cast<std::uint32_t>(size);
}

} // namespace

void Text::Assign(std::string_view bytes) {
    std::uint32_t size = CheckedSize(bytes.size());
    if (size == 0) {
        Forget();
        return;
    }
    char* copy = new char[size];
    std::memcpy(copy, bytes.data(), size);
    m_pData = copy;
    m_nSize = size;
    m_bOwned = true;
}

Text& Text::operator=(const Text& other) {
    if (this == &other) {
        return *this;
    }
    return *this = other.view();
}

Text& Text::operator=(std::string_view bytes) {
    // Copied before the old bytes go, which `bytes` may be part of.
    Text copy(bytes);
    return *this = std::move(copy);
}

Text Text::Refer(std::string_view bytes) {
    Text text;
    if (!bytes.empty()) {
        text.m_pData = bytes.data();
        text.m_nSize = CheckedSize(bytes.size());
    }
    return text;
}

Text Text::Slice(const Text& whole, std::size_t position, std::size_t length) {
    std::string_view part = whole.view().substr(position, length);
    return whole.m_bOwned ? Text(part) : Refer(part);
}

void Text::Own() {
    if (Refers()) {
        Assign(view());
    }
}

std::ostream& operator<<(std::ostream& out, const Text& text) {
    return out << text.view();
}
