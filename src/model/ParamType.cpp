#include "model/ParamType.h"

#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <utility>

#include "model/Codepage.h"
#include "model/TypeKeywordTable.h"
#include "platform/Platform.h"

// A block of groups: a count of the arrays that share it, the groups, and after them
// the bytes their arguments refer to, so a block needs nothing outside itself.
struct OrGroupArray::Block {
    std::uint32_t m_nShares;
    std::uint16_t m_nCount;
    // Every text in the groups refers to the block's own bytes, so the groups need
    // no destroying: true for a block as the parser makes it.
    bool m_bPlain;

    OrGroup* Groups() { return std::launder(reinterpret_cast<OrGroup*>(this + 1)); }
    char* Bytes() { return reinterpret_cast<char*>(this + 1) + m_nCount * sizeof(OrGroup); }
};

namespace {

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

void Warn(const std::string& text) {
    Platform& platform = Platform::Current();
    platform.EndWaitCursor();
    platform.MessageOk(text);
}

// The keyword index of `word` as the next term of group `orCount`, which holds
// `andCount` terms; -1 after the warning when it cannot be stored.
int PlaceKeyword(std::string_view word, std::string_view commandName, int orCount, int andCount) {
    int index = TypeKeywordTable::Find(word);
    if (index < 0) {
        Warn("Warning: I couldn't make much sense of the Param\n\" " + Codepage::ToUtf8(word) +
             " \" in the Command \" " + Codepage::ToUtf8(commandName) + " \"");
        return -1;
    }
    if (orCount >= ParamType::kMaxGroups) {
        Warn("Read Protocol:  Maximum number of Or'd types for parameter has been exceeded");
        return -1;
    }
    if (andCount >= OrGroup::kMaxTerms) {
        Warn("Read Protocol:  Maximum number of And'd types for Or has been exceeded");
        return -1;
    }
    return index;
}

// The text collected so far: mostly a run of the parameter text itself, copied only
// when a dropped character splits it.
class Token {
public:
    explicit Token(std::string_view text) : m_text(text) {}

    void Add(std::size_t position) { Add(position, 1); }
    // The `length` characters from `position`.
    void Add(std::size_t position, std::size_t length) {
        if (length == 0) {
            return;
        }
        if (m_nLength == 0 && !m_bSplit) {
            m_nStart = position;
            m_nLength = length;
        } else if (!m_bSplit && position == m_nStart + m_nLength) {
            m_nLength += length;
        } else {
            if (!m_bSplit) {
                m_split.assign(m_text.substr(m_nStart, m_nLength));
                m_bSplit = true;
            }
            m_split += m_text.substr(position, length);
        }
    }
    void Clear() {
        m_nLength = 0;
        m_bSplit = false;
        m_split.clear();
    }
    bool Empty() const { return m_bSplit ? m_split.empty() : m_nLength == 0; }
    std::string_view View() const {
        return m_bSplit ? std::string_view(m_split) : m_text.substr(m_nStart, m_nLength);
    }
    // Whether the token is one run of the text, starting at Start().
    bool IsRun() const { return !m_bSplit; }
    std::size_t Start() const { return m_nStart; }

private:
    std::string_view m_text;
    std::size_t m_nStart = 0;
    std::size_t m_nLength = 0;
    bool m_bSplit = false;
    std::string m_split;
};

// The groups while a text is parsed; the arguments are kept in one string. Only the
// counts start at zero: a term is read only once it has been written.
struct Draft {
    struct Term {
        std::int16_t keyword;
        std::size_t argumentStart;
        std::size_t argumentLength;
    };
    struct Group {
        int count;
        std::array<Term, OrGroup::kMaxTerms> terms;
    };
    std::array<Group, OrGroupArray::kSize> groups;
    std::size_t stored = 0; // groups up to the last one holding a term
    std::string arguments;

    Draft() {
        for (Group& group : groups) {
            group.count = 0;
        }
    }
};

} // namespace

OrGroupArray& OrGroupArray::operator=(const OrGroupArray& other) noexcept {
    if (this != &other && m_pBlock != other.m_pBlock) {
        Release();
        m_pBlock = other.m_pBlock;
        Share();
    }
    return *this;
}

OrGroupArray& OrGroupArray::operator=(OrGroupArray&& other) noexcept {
    if (this != &other) {
        Release();
        m_pBlock = other.m_pBlock;
        other.m_pBlock = nullptr;
    }
    return *this;
}

std::size_t OrGroupArray::Stored() const {
    return m_pBlock != nullptr ? m_pBlock->m_nCount : 0;
}

const OrGroup& OrGroupArray::operator[](std::size_t index) const {
    static const OrGroup empty{};
    return index < Stored() ? m_pBlock->Groups()[index] : empty;
}

OrGroup& OrGroupArray::operator[](std::size_t index) {
    if (m_pBlock == nullptr || m_pBlock->m_nShares > 1 || m_pBlock->m_nCount < kSize) {
        // The groups are copied out, so their arguments own their bytes and the
        // new block needs none of its own.
        Block* block = NewBlock(kSize, 0);
        block->m_bPlain = false;
        OrGroup* groups = block->Groups();
        try {
            for (std::size_t i = 0; i < kSize; ++i) {
                groups[i] = std::as_const(*this)[i];
            }
        } catch (...) {
            OrGroupArray undo;
            undo.m_pBlock = block;
            throw;
        }
        Release();
        m_pBlock = block;
    }
    // Whatever is stored through the reference may own its bytes.
    m_pBlock->m_bPlain = false;
    return m_pBlock->Groups()[index];
}

OrGroupArray::Block* OrGroupArray::NewBlock(std::size_t count, std::size_t bytes) {
    // The groups follow the header directly.
    static_assert(sizeof(Block) % alignof(OrGroup) == 0);
    void* memory = ::operator new(sizeof(Block) + count * sizeof(OrGroup) + bytes);
    auto* block = new (memory) Block{1, static_cast<std::uint16_t>(count), true};
    OrGroup* groups = reinterpret_cast<OrGroup*>(block + 1);
    for (std::size_t i = 0; i < count; ++i) {
        new (groups + i) OrGroup();
    }
    return block;
}

void OrGroupArray::Share() noexcept {
    if (m_pBlock != nullptr) {
        ++m_pBlock->m_nShares;
    }
}

void OrGroupArray::Release() noexcept {
    if (m_pBlock != nullptr && --m_pBlock->m_nShares == 0) {
        if (!m_pBlock->m_bPlain) {
            OrGroup* groups = m_pBlock->Groups();
            for (std::size_t i = m_pBlock->m_nCount; i > 0; --i) {
                groups[i - 1].~OrGroup();
            }
        }
        m_pBlock->~Block();
        ::operator delete(static_cast<void*>(m_pBlock));
    }
    m_pBlock = nullptr;
}

bool ParamType::ParseType(std::string_view commandName) {
    // A parse replaces any parse made before.
    m_strDescription.clear();
    m_nOrCount = 0;
    m_oOr = OrGroupArray();

    const std::string_view text = m_strText;
    Draft draft;
    Token token(text);
    bool inDescription = false;
    bool inQuotes = false;
    bool inParentheses = false;
    bool clean = true;

    auto addKeyword = [&](std::string_view word) {
        auto orCount = static_cast<std::size_t>(m_nOrCount);
        int andCount = orCount < draft.groups.size() ? draft.groups[orCount].count : 0;
        int index = PlaceKeyword(word, commandName, m_nOrCount, andCount);
        if (index < 0) {
            clean = false;
            return;
        }
        Draft::Group& group = draft.groups[orCount];
        group.terms[static_cast<std::size_t>(group.count)] = {static_cast<std::int16_t>(index), 0,
                                                              0};
        ++group.count;
        draft.stored = std::max(draft.stored, orCount + 1);
    };
    auto storeToken = [&] {
        if (!token.Empty()) {
            addKeyword(token.View());
        }
    };
    // An argument goes to the last term of the current group; when the group holds
    // no term yet it is dropped, so nothing outside this parameter's terms changes.
    auto setLastArgument = [&] {
        if (m_nOrCount < 0 || m_nOrCount >= kMaxGroups) {
            return;
        }
        Draft::Group& group = draft.groups[static_cast<std::size_t>(m_nOrCount)];
        if (group.count > 0) {
            Draft::Term& term = group.terms[static_cast<std::size_t>(group.count - 1)];
            std::string_view argument = token.View();
            term.argumentStart = draft.arguments.size();
            term.argumentLength = argument.size();
            draft.arguments += argument;
        }
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (inDescription) {
            // Only quotes matter here: the runs between them are taken whole.
            std::size_t quote = text.find('"', i);
            std::size_t stop = quote == std::string_view::npos ? text.size() : quote;
            if (inQuotes) {
                token.Add(i, stop - i);
            }
            if (quote == std::string_view::npos) {
                break;
            }
            inQuotes = !inQuotes;
            i = quote;
            continue;
        }

        if (IsWhiteSpace(c)) {
            continue;
        }
        if (c == '"') {
            if (inParentheses) {
                token.Add(i);
            } else if (!inQuotes) {
                inQuotes = true;
            } else {
                inQuotes = false;
                addKeyword("string");
                setLastArgument();
                token.Clear();
            }
            continue;
        }
        if (!inQuotes && !inParentheses && (c == '&' || c == '|' || c == ',')) {
            storeToken();
            token.Clear();
            if (c != '&') {
                ++m_nOrCount;
            }
            if (c == ',') {
                inQuotes = false;
                inParentheses = false;
                inDescription = true;
            }
            continue;
        }
        if (!inQuotes && c == '(') {
            addKeyword(token.View());
            inParentheses = true;
            token.Clear();
            continue;
        }
        if (!inQuotes && c == ')') {
            inParentheses = false;
            setLastArgument();
            token.Clear();
            continue;
        }
        token.Add(i);
    }

    if (inDescription) {
        m_strDescription = token.IsRun()
                               ? Text::Slice(m_strText, token.Start(), token.View().size())
                               : Text(token.View());
    } else {
        storeToken();
        ++m_nOrCount;
    }

    // The groups in one block of exactly their size, arguments included.
    if (draft.stored > 0) {
        std::size_t bytes = 0;
        for (std::size_t g = 0; g < draft.stored; ++g) {
            for (int t = 0; t < draft.groups[g].count; ++t) {
                bytes += draft.groups[g].terms[static_cast<std::size_t>(t)].argumentLength;
            }
        }
        OrGroupArray groups;
        groups.m_pBlock = OrGroupArray::NewBlock(draft.stored, bytes);
        OrGroup* stored = groups.m_pBlock->Groups();
        char* out = groups.m_pBlock->Bytes();
        for (std::size_t g = 0; g < draft.stored; ++g) {
            const Draft::Group& group = draft.groups[g];
            stored[g].m_nAndCount = group.count;
            for (std::size_t t = 0; t < static_cast<std::size_t>(group.count); ++t) {
                const Draft::Term& term = group.terms[t];
                AndType& target = stored[g].m_oAnd[t];
                target.m_nKeyword = term.keyword;
                if (term.argumentLength > 0) {
                    std::memcpy(out, draft.arguments.data() + term.argumentStart,
                                term.argumentLength);
                    target.m_strArgument = Text::Refer({out, term.argumentLength});
                    out += term.argumentLength;
                }
            }
        }
        m_oOr = std::move(groups);
    }
    return clean;
}

void ParamType::AddKeyword(std::string_view word, std::string_view commandName) {
    int andCount = m_nOrCount >= 0 && m_nOrCount < kMaxGroups
                       ? std::as_const(m_oOr)[static_cast<std::size_t>(m_nOrCount)].m_nAndCount
                       : 0;
    int index = PlaceKeyword(word, commandName, m_nOrCount, andCount);
    if (index < 0 || m_nOrCount < 0) {
        return;
    }
    OrGroup& group = m_oOr[static_cast<std::size_t>(m_nOrCount)];
    group.m_oAnd[static_cast<std::size_t>(group.m_nAndCount)].m_nKeyword =
        static_cast<std::int16_t>(index);
    ++group.m_nAndCount;
}

void ParamType::TakeParseOf(const ParamType& other) {
    std::string_view whole = other.m_strText;
    std::string_view description = other.m_strDescription;
    std::less<const char*> before;
    bool inside = other.m_strDescription.Refers() && !before(description.data(), whole.data()) &&
                  !before(whole.data() + whole.size(), description.data() + description.size());
    m_strDescription =
        inside ? Text::Slice(m_strText, static_cast<std::size_t>(description.data() - whole.data()),
                             description.size())
               : Text(description);
    m_nOrCount = other.m_nOrCount;
    m_oOr = other.m_oOr;
}
