#include "model/ProfileBuffer.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "platform/Platform.h"

namespace {

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Length and folded first and last byte: keys that match have equal signatures,
// and keys that differ mostly differ here already ("param1", "param2").
std::uint32_t Signature(std::string_view key) {
    if (key.empty()) {
        return 0;
    }
    auto fold = [](char c) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(Lower(c)));
    };
    return (static_cast<std::uint32_t>(std::min<std::size_t>(key.size(), 0xFFFF))) |
           (fold(key.front()) << 16) | (fold(key.back()) << 24);
}

// High bit set in each byte of `word` that is zero, and in no other.
constexpr std::uint64_t ZeroBytes(std::uint64_t word) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7F;
    return ~(((word & kLow7) + kLow7) | word | kLow7);
}

static_assert(std::endian::native == std::endian::little ||
              std::endian::native == std::endian::big);

// The first byte from `p` to `end` that is one of `Cs`, or `end`. Eight bytes are
// looked at a time, which makes the long runs of a value cheap to pass over.
template <char... Cs> const char* FindAny(const char* p, const char* end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    while (end - p >= 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, sizeof word);
        std::uint64_t found = 0;
        ((found |= ZeroBytes(word ^ (kOnes * static_cast<unsigned char>(Cs)))), ...);
        if (found != 0) {
            int bit = std::endian::native == std::endian::little ? std::countr_zero(found)
                                                                 : std::countl_zero(found);
            return p + bit / 8;
        }
        p += 8;
    }
    while (p < end && ((*p != Cs) && ...)) {
        ++p;
    }
    return p;
}

const char* FindLineEnd(const char* p, const char* end) {
    return FindAny<'\r', '\n'>(p, end);
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    // Keys are mostly written as they are asked for.
    if (a == b) {
        return true;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

bool Fail(const std::string& text) {
    Platform& platform = Platform::Current();
    platform.EndWaitCursor();
    platform.MessageOk(text);
    return false;
}

const char* const kNoMemory = "Not enough memory to allocate file buffer ( m_hpbBuffer )";

} // namespace

bool ProfileBuffer::MakeRoom(std::size_t size) {
    Start(0);
    if (m_hpbBuffer && size <= m_nCapacity) {
        return true;
    }
    // The old block goes first, so that two are never held at once.
    m_hpbBuffer.reset();
    m_nCapacity = 0;
    m_hpbBuffer.reset(new (std::nothrow) char[std::max<std::size_t>(size, 1)]);
    if (!m_hpbBuffer) {
        return false;
    }
    m_nCapacity = size;
    return true;
}

void ProfileBuffer::Start(std::size_t length) {
    m_nLength = length;
    m_nCursor = 0;
    m_strSection = {};
    m_bIndexed = false;
}

bool ProfileBuffer::Open(const std::string& path) {
    std::unique_ptr<PlatformFile> file = Platform::Current().OpenForReading(path);
    const std::string cannotRead = "Could not open " + path + " for reading";
    if (!file) {
        return Fail(cannotRead);
    }
    std::int64_t size = file->Size();
    if (size < 0) {
        return Fail(cannotRead);
    }
    auto capacity = static_cast<std::size_t>(size);
    if (!MakeRoom(capacity)) {
        return Fail(kNoMemory);
    }
    // Only the bytes actually delivered count: a file that shrank since its size
    // was taken, or a short read, leaves the rest of the buffer unseen.
    std::size_t length = 0;
    while (length < capacity) {
        std::int64_t got = file->Read(m_hpbBuffer.get() + length, capacity - length);
        if (got < 0) {
            return Fail(cannotRead);
        }
        if (got == 0) {
            break;
        }
        length += std::min(static_cast<std::size_t>(got), capacity - length);
    }
    Start(length);
    return true;
}

bool ProfileBuffer::Load(std::string_view bytes) {
    if (!MakeRoom(bytes.size())) {
        return Fail(kNoMemory);
    }
    if (!bytes.empty()) {
        std::memcpy(m_hpbBuffer.get(), bytes.data(), bytes.size());
    }
    Start(bytes.size());
    return true;
}

ProfileBuffer& ProfileBuffer::operator=(ProfileBuffer&& other) noexcept {
    if (this != &other) {
        m_hpbBuffer = std::move(other.m_hpbBuffer);
        m_nCapacity = std::exchange(other.m_nCapacity, 0);
        m_nLength = std::exchange(other.m_nLength, 0);
        m_nCursor = std::exchange(other.m_nCursor, 0);
        m_strSection = std::exchange(other.m_strSection, {});
        m_bEnumerating = other.m_bEnumerating;
        m_oIndex = std::move(other.m_oIndex);
        m_oSlots = std::move(other.m_oSlots);
        m_bIndexed = std::exchange(other.m_bIndexed, false);
        m_nIndexedAt = other.m_nIndexedAt;
        m_nSectionEnd = other.m_nSectionEnd;
    }
    return *this;
}

int ProfileBuffer::LineOf(const char* position, LineMark& mark) const {
    const char* start = m_hpbBuffer.get();
    const char* end = start + std::min(static_cast<std::size_t>(position - start), m_nLength);
    if (mark.position == nullptr || mark.position > end) {
        mark = {start, 1};
    }
    const char* p = mark.position;
    int line = mark.line;
    while ((p = FindLineEnd(p, end)) < end) {
        // A carriage return and line feed end one line.
        p += *p == '\r' && p + 1 < end && p[1] == '\n' ? 2 : 1;
        ++line;
    }
    mark = {end, line};
    return line;
}

std::unique_ptr<char[]> ProfileBuffer::TakeBytes() {
    Start(0);
    m_nCapacity = 0;
    return std::move(m_hpbBuffer);
}

bool ProfileBuffer::FindSection(std::string_view name, bool bContinue) {
    if (!bContinue) {
        m_nCursor = 0;
    }
    m_bEnumerating = false;
    return ScanSection(name);
}

std::string_view ProfileBuffer::NextSection(bool bContinue) {
    if (!bContinue) {
        m_nCursor = 0;
    }
    m_bEnumerating = true;
    if (!ScanSection({})) {
        return {};
    }
    return m_strSection;
}

bool ProfileBuffer::HeaderCounts(std::string_view wanted) const {
    if (m_bEnumerating) {
        return true;
    }
    return m_strSection.size() >= wanted.size() &&
           EqualNoCase(m_strSection.substr(0, wanted.size()), wanted);
}

bool ProfileBuffer::ScanSection(std::string_view wanted) {
    // The key lines of a section already indexed end where the next header starts,
    // so the scan need not pass over them again.
    if (m_bIndexed && m_nIndexedAt == m_nCursor) {
        m_nCursor = m_nSectionEnd;
    }
    m_bIndexed = false;

    enum class State { LineStart, SkipLine, Name, Rest };
    State state = State::LineStart;
    const char* bytes = m_hpbBuffer.get();
    while (m_nCursor < m_nLength) {
        char c = bytes[m_nCursor++];
        switch (state) {
        case State::LineStart:
            if (c == '[') {
                m_strSection = {};
                state = State::Name;
            } else if (!IsBlank(c)) {
                state = State::SkipLine;
            }
            break;
        case State::SkipLine: {
            // Nothing but the line end matters here; find it in one go.
            const char* end = bytes + m_nLength;
            const char* p = FindLineEnd(bytes + m_nCursor - 1, end);
            m_nCursor = static_cast<std::size_t>(p - bytes);
            if (p < end) {
                ++m_nCursor;
                state = State::LineStart;
            }
            break;
        }
        case State::Name: {
            // A missing ']' lets the name run on over line ends to the next one.
            const char* start = bytes + m_nCursor - 1;
            const void* close = std::memchr(start, ']', m_nLength - (m_nCursor - 1));
            const char* stop =
                close != nullptr ? static_cast<const char*>(close) : bytes + m_nLength;
            m_strSection = std::string_view(start, static_cast<std::size_t>(stop - start));
            m_nCursor = static_cast<std::size_t>(stop - bytes);
            if (close != nullptr) {
                ++m_nCursor;
                state = State::Rest;
            }
            break;
        }
        case State::Rest:
            if (IsLineEnd(c)) {
                if (HeaderCounts(wanted)) {
                    return true;
                }
                state = State::LineStart;
            }
            break;
        }
    }
    // The last line of the file needs no line end.
    return state == State::Rest && HeaderCounts(wanted);
}

std::string_view ProfileBuffer::ScanValue(std::string_view key,
                                          std::string_view defaultValue) const {
    enum class State { LineStart, Key, ValueStart, Value, SkipLine };
    State state = State::LineStart;
    const char* bytes = m_hpbBuffer.get();
    std::size_t keyStart = 0;
    std::size_t valueStart = 0;
    std::size_t pos = m_nCursor;
    for (; pos < m_nLength; ++pos) {
        char c = bytes[pos];
        switch (state) {
        case State::LineStart:
            if (IsBlank(c)) {
            } else if (c == ';') {
                state = State::SkipLine;
            } else if (c == '[') {
                return defaultValue;
            } else {
                keyStart = pos;
                state = State::Key;
            }
            break;
        case State::Key:
            if (IsLineEnd(c)) {
                state = State::LineStart;
            } else if (c == ';') {
                state = State::SkipLine;
            } else if (c == '=') {
                std::string_view text(bytes + keyStart, pos - keyStart);
                state = EqualNoCase(text, key) ? State::ValueStart : State::SkipLine;
            }
            break;
        case State::ValueStart:
            if (c == ' ' || c == '\t') {
            } else if (IsLineEnd(c)) {
                state = State::LineStart;
            } else if (c == ';') {
                state = State::SkipLine;
            } else {
                valueStart = pos;
                state = State::Value;
            }
            break;
        case State::Value:
            if (IsLineEnd(c)) {
                return {bytes + valueStart, pos - valueStart};
            }
            break;
        case State::SkipLine:
            if (IsLineEnd(c)) {
                state = State::LineStart;
            }
            break;
        }
    }
    if (state == State::Value) {
        return {bytes + valueStart, pos - valueStart};
    }
    return defaultValue;
}

void ProfileBuffer::BuildIndex() {
    // The same lines as ScanValue, read once for every key: every line with a
    // non-empty value is kept, in file order.
    m_oIndex.clear();
    const char* bytes = m_hpbBuffer.get();
    const char* end = bytes + m_nLength;
    const char* p = bytes + m_nCursor;
    auto skipLine = [&] { p = FindLineEnd(p, end); };

    while (p < end) {
        char c = *p;
        if (IsBlank(c)) {
            ++p;
            continue;
        }
        if (c == '[') {
            break;
        }
        if (c == ';') {
            skipLine();
            continue;
        }
        // A key: up to '=', or the line is skipped (a ';' first) or ignored.
        const char* key = p;
        p = FindAny<'=', ';', '\r', '\n'>(p + 1, end);
        if (p == end || *p != '=') {
            skipLine();
            continue;
        }
        std::string_view keyText(key, static_cast<std::size_t>(p - key));
        ++p;
        while (p < end && (*p == ' ' || *p == '\t')) {
            ++p;
        }
        if (p == end || IsLineEnd(*p) || *p == ';') {
            skipLine();
            continue;
        }
        const char* value = p;
        skipLine();
        // Entries stay in file order; a lookup takes the first that matches.
        m_oIndex.push_back({Signature(keyText), keyText,
                            std::string_view(value, static_cast<std::size_t>(p - value))});
    }
    m_nSectionEnd = static_cast<std::size_t>(p - bytes);

    // Hashed by signature with linear probing in a table at least twice the size
    // of the index, so a probe always ends at an empty slot. Equal keys hash alike,
    // and the first of them, inserted first, is met first.
    std::size_t slots = 16;
    while (slots < 2 * m_oIndex.size()) {
        slots *= 2;
    }
    m_oSlots.assign(slots, 0);
    for (std::size_t i = 0; i < m_oIndex.size(); ++i) {
        std::size_t slot = SlotOf(m_oIndex[i].signature);
        while (m_oSlots[slot] != 0) {
            slot = (slot + 1) & (slots - 1);
        }
        m_oSlots[slot] = static_cast<std::uint32_t>(i + 1);
    }
    m_nIndexedAt = m_nCursor;
    m_bIndexed = true;
}

std::string_view ProfileBuffer::GetValue(std::string_view key, std::string_view defaultValue) {
    if (!m_bIndexed || m_nIndexedAt != m_nCursor) {
        BuildIndex();
    }
    std::uint32_t signature = Signature(key);
    std::size_t mask = m_oSlots.size() - 1;
    for (std::size_t slot = SlotOf(signature); m_oSlots[slot] != 0; slot = (slot + 1) & mask) {
        const IndexEntry& entry = m_oIndex[m_oSlots[slot] - 1];
        if (entry.signature == signature && EqualNoCase(entry.key, key)) {
            return entry.value;
        }
    }
    return defaultValue;
}
