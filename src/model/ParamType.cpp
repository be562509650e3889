#include "model/ParamType.h"

#include "model/Codepage.h"
#include "model/TypeKeywordTable.h"
#include "platform/Platform.h"

namespace {

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

void Warn(const std::string& text) {
    Platform& platform = Platform::Current();
    platform.EndWaitCursor();
    platform.MessageOk(text);
}

} // namespace

void ParamType::ParseType(const std::string& commandName) {
    std::string token;
    bool inDescription = false;
    bool inQuotes = false;
    bool inParentheses = false;

    auto storeToken = [&] {
        if (!token.empty()) {
            AddKeyword(token, commandName);
        }
    };

    for (char c : m_strText) {
        if (inDescription) {
            if (c == '"') {
                inQuotes = !inQuotes;
            } else if (inQuotes) {
                token += c;
            }
            continue;
        }

        if (IsWhiteSpace(c)) {
            continue;
        }
        if (c == '"') {
            if (inParentheses) {
                token += c;
            } else if (!inQuotes) {
                inQuotes = true;
            } else {
                inQuotes = false;
                AddKeyword("string", commandName);
                SetLastArgument(token);
                token.clear();
            }
            continue;
        }
        if (!inQuotes && !inParentheses && (c == '&' || c == '|' || c == ',')) {
            storeToken();
            token.clear();
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
            AddKeyword(token, commandName);
            inParentheses = true;
            token.clear();
            continue;
        }
        if (!inQuotes && c == ')') {
            inParentheses = false;
            SetLastArgument(token);
            token.clear();
            continue;
        }
        token += c;
    }

    if (inDescription) {
        m_strDescription = std::move(token);
    } else {
        storeToken();
        ++m_nOrCount;
    }
}

void ParamType::AddKeyword(const std::string& word, const std::string& commandName) {
    int index = TypeKeywordTable::Find(word);
    if (index < 0) {
        Warn("Warning: I couldn't make much sense of the Param\n\" " + Codepage::ToUtf8(word) +
             " \" in the Command \" " + Codepage::ToUtf8(commandName) + " \"");
        return;
    }
    if (m_nOrCount >= kMaxGroups) {
        Warn("Read Protocol:  Maximum number of Or'd types for parameter has been exceeded");
        return;
    }
    OrGroup& group = m_oOr[static_cast<std::size_t>(m_nOrCount)];
    if (group.m_nAndCount >= OrGroup::kMaxTerms) {
        Warn("Read Protocol:  Maximum number of And'd types for Or has been exceeded");
        return;
    }
    group.m_oAnd[static_cast<std::size_t>(group.m_nAndCount)].m_nKeyword =
        static_cast<std::int16_t>(index);
    ++group.m_nAndCount;
}

void ParamType::SetLastArgument(const std::string& argument) {
    if (m_nOrCount < 0 || m_nOrCount >= kMaxGroups) {
        return;
    }
    OrGroup& group = m_oOr[static_cast<std::size_t>(m_nOrCount)];
    if (group.m_nAndCount > 0) {
        group.m_oAnd[static_cast<std::size_t>(group.m_nAndCount - 1)].m_strArgument = argument;
    }
}
