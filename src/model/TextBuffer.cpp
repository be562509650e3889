#include "model/TextBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

bool TextBuffer::Allocate(std::size_t capacity) {
    Release();
    m_hpbBuffer.reset(new (std::nothrow) char[capacity > 0 ? capacity : 1]);
    if (!m_hpbBuffer) {
        return false;
    }
    m_nCapacity = capacity;
    Start();
    return true;
}

void TextBuffer::Release() {
    m_hpbBuffer.reset();
    m_nCapacity = 0;
    m_nWritePos = 0;
    m_bGrows = false;
}

void TextBuffer::Start() {
    m_nWritePos = 0;
    m_nUsed = 0;
    m_bSuccess = true;
}

namespace {

char* Put(char* out, std::string_view piece) {
    if (!piece.empty()) {
        std::memcpy(out, piece.data(), piece.size());
    }
    return out + piece.size();
}

} // namespace

char* TextBuffer::Reserve(std::size_t length) {
    m_nUsed += length;
    if (m_nUsed >= m_nCapacity && !(m_bGrows && m_bSuccess && Grow(m_nUsed + 1))) {
        m_bSuccess = false;
        return nullptr;
    }
    char* out = m_hpbBuffer.get() + m_nWritePos;
    m_nWritePos += length;
    return out;
}

void TextBuffer::AppendLine(std::string_view name) {
    if (char* out = Reserve(name.size() + 2)) {
        out = Put(out, name);
        out[0] = '\r';
        out[1] = '\n';
    }
}

void TextBuffer::AppendLine(std::string_view name, std::string_view value) {
    if (char* out = Reserve(name.size() + value.size() + 3)) {
        out = Put(out, name);
        *out++ = '=';
        out = Put(out, value);
        out[0] = '\r';
        out[1] = '\n';
    }
}

void TextBuffer::AppendLineOf(std::initializer_list<std::string_view> pieces) {
    std::size_t length = 2;
    for (std::string_view piece : pieces) {
        length += piece.size();
    }
    if (char* out = Reserve(length)) {
        for (std::string_view piece : pieces) {
            out = Put(out, piece);
        }
        out[0] = '\r';
        out[1] = '\n';
    }
}

void TextBuffer::AppendZero() {
    // A stored line always leaves the last byte free, so the zero byte fits.
    if (m_bSuccess && m_hpbBuffer && m_nWritePos < m_nCapacity) {
        m_hpbBuffer[m_nWritePos++] = '\0';
    }
}

bool TextBuffer::Grow(std::size_t needed) {
    std::size_t capacity = std::max(needed, m_nCapacity + m_nCapacity / 2);
    std::unique_ptr<char[]> larger(new (std::nothrow) char[capacity]);
    if (!larger) {
        return false;
    }
    if (m_nWritePos > 0) {
        std::memcpy(larger.get(), m_hpbBuffer.get(), m_nWritePos);
    }
    m_hpbBuffer = std::move(larger);
    m_nCapacity = capacity;
    return true;
}
