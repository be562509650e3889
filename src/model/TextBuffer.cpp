#include "model/TextBuffer.h"

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
}

void TextBuffer::Start() {
    m_nWritePos = 0;
    m_nUsed = 0;
    m_bSuccess = true;
}

void TextBuffer::AppendLine(std::string_view name) {
    Append({name, "\r\n"});
}

void TextBuffer::AppendLine(std::string_view name, std::string_view value) {
    Append({name, "=", value, "\r\n"});
}

void TextBuffer::Append(std::initializer_list<std::string_view> pieces) {
    std::size_t length = 0;
    for (std::string_view piece : pieces) {
        length += piece.size();
    }
    m_nUsed += length;
    if (m_nUsed >= m_nCapacity) {
        m_bSuccess = false;
        return;
    }
    char* out = m_hpbBuffer.get() + m_nWritePos;
    for (std::string_view piece : pieces) {
        if (!piece.empty()) {
            std::memcpy(out, piece.data(), piece.size());
            out += piece.size();
        }
    }
    m_nWritePos += length;
}
