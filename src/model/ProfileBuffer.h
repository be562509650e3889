#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Reads an INI-style text file: loads it whole once, then tells where a section with
// a given name is, what the next section is called, and what a key's value is in
// the current section. Protocol files are read only through this; it never writes.
//
// A line ends at a line feed, a carriage return, or a carriage return and line
// feed; the last line needs no line end. A section header is a line whose first
// non-blank character is '['; the name runs to the next ']' and the rest of the
// line is ignored. Section names and keys match without regard to case.
class ProfileBuffer {
public:
    ProfileBuffer() = default;
    ProfileBuffer(const ProfileBuffer&) = delete;
    ProfileBuffer& operator=(const ProfileBuffer&) = delete;
    // The bytes move with the views into them; the source is left empty.
    ProfileBuffer(ProfileBuffer&& other) noexcept { *this = std::move(other); }
    ProfileBuffer& operator=(ProfileBuffer&& other) noexcept;

    // Loads the whole file at `path`, into the memory of the file loaded before when
    // it fits. False after a message when it cannot be read or memory runs out.
    bool Open(const std::string& path);
    // Takes bytes already in memory instead of a file, as Open would have loaded
    // them. False after a message when memory runs out.
    bool Load(std::string_view bytes);

    // Moves on (from the start unless `bContinue`) to just past the first header
    // whose name begins with `name`. False, with the cursor at the end, when there
    // is none.
    bool FindSection(std::string_view name, bool bContinue);
    // Moves on (from the start unless `bContinue`) to just past the next header and
    // returns its name; the empty text at the end of the buffer.
    std::string_view NextSection(bool bContinue);

    // The value of the first line from the cursor up to the next header whose key
    // equals `key` and whose value is not empty; `defaultValue` when there is none.
    // The cursor does not move, so every lookup starts at the same header. The
    // section is indexed on the first lookup, so many keys cost one pass.
    std::string_view GetValue(std::string_view key, std::string_view defaultValue);
    // The same answer as GetValue, found by scanning the section line by line. It
    // is the plain statement of the lookup rules that the index must agree with.
    std::string_view ScanValue(std::string_view key, std::string_view defaultValue) const;

    // Section names and values are views of the loaded bytes: they stay valid until
    // the next Open or Load, or until the bytes are taken.

    // A place in the loaded bytes at the start of a line's text, and that line.
    struct LineMark {
        const char* position = nullptr;
        int line = 1;
    };
    // The line, counted from 1, that holds `position`, a place in the loaded bytes
    // outside a line end (a section name or a value, say). Line ends count as they end lines above.
    // Counting goes on from `mark` when it lies before `position`, so that asking
    // for places further on costs only the bytes between; `mark` then moves there.
    int LineOf(const char* position, LineMark& mark) const;
    int LineOf(const char* position) const {
        LineMark start;
        return LineOf(position, start);
    }

    std::size_t GetLength() const { return m_nLength; }
    std::size_t GetCursor() const { return m_nCursor; }
    // The name of the most recent header a section scan read.
    std::string_view GetSectionName() const { return m_strSection; }

    // Hands the loaded bytes over, for whatever refers into them to keep; the buffer
    // is then empty.
    std::unique_ptr<char[]> TakeBytes();

private:
    // One line of the indexed section that has a non-empty value.
    struct IndexEntry {
        std::uint32_t signature;
        std::string_view key;
        std::string_view value;
    };

    // Scans for the next complete header; in find mode only one whose name begins
    // with `wanted` counts.
    bool ScanSection(std::string_view wanted);
    bool HeaderCounts(std::string_view wanted) const;
    void BuildIndex();
    std::string_view Bytes() const { return {m_hpbBuffer.get(), m_nLength}; }

    // Makes room for `size` bytes, in the present buffer when it is large enough.
    bool MakeRoom(std::size_t size);
    void Start(std::size_t length);

    std::unique_ptr<char[]> m_hpbBuffer;
    std::size_t m_nCapacity = 0;
    std::size_t m_nLength = 0;
    std::size_t m_nCursor = 0;
    std::string_view m_strSection;
    bool m_bEnumerating = false;

    std::size_t SlotOf(std::uint32_t signature) const {
        return (signature * 0x9E3779B1u) >> 16 & (m_oSlots.size() - 1);
    }

    std::vector<IndexEntry> m_oIndex;
    std::vector<std::uint32_t> m_oSlots; // 1 + an index of m_oIndex; 0 for none
    bool m_bIndexed = false;
    std::size_t m_nIndexedAt = 0;  // cursor the index was built for
    std::size_t m_nSectionEnd = 0; // where the indexed section's lines end
};
