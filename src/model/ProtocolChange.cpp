#include "model/ProtocolChange.h"

#include <utility>

namespace {

bool IsNumbered(CommandFieldKind kind) {
    return kind == CommandFieldKind::Params || kind == CommandFieldKind::Bytes;
}

// Parameter or byte text `index` of a command, to change. Asking for one makes room
// for all of them at once, so only the first call on a command may throw.
Text& Slot(Command& command, CommandFieldKind kind, int index) {
    auto at = static_cast<std::size_t>(index);
    return kind == CommandFieldKind::Params ? command.m_oParam[at].m_strText
                                            : command.m_strByte[at];
}

std::int32_t& CountOf(Command& command, CommandFieldKind kind) {
    return kind == CommandFieldKind::Params ? command.m_nParams : command.m_nBytes;
}

} // namespace

ProtocolChange::~ProtocolChange() = default;

ProtocolChange ProtocolChange::InsertCommand(int position, std::unique_ptr<Command> command) {
    ProtocolChange change(Kind::InsertCommand);
    change.m_nPosition = position;
    change.m_poCommand = std::move(command);
    return change;
}

ProtocolChange ProtocolChange::RemoveCommand(int position) {
    ProtocolChange change(Kind::RemoveCommand);
    change.m_nPosition = position;
    return change;
}

ProtocolChange ProtocolChange::SetDeviceField(DeviceFieldId field, Text value) {
    ProtocolChange change(Kind::SetDeviceField);
    change.m_eDeviceField = field;
    change.m_strText = std::move(value);
    return change;
}

ProtocolChange ProtocolChange::SetCommandField(int position, CommandFieldId field, Text value) {
    return SetCommandField(position, field, 0, std::move(value));
}

ProtocolChange ProtocolChange::SetCommandField(int position, CommandFieldId field, int index,
                                               Text value) {
    ProtocolChange change(Kind::SetCommandField);
    change.m_nPosition = position;
    change.m_eCommandField = field;
    change.m_nIndex = index;
    change.m_strText = std::move(value);
    return change;
}

ProtocolChange ProtocolChange::InsertText(int position, CommandFieldId field, int index,
                                          Text value) {
    ProtocolChange change(Kind::InsertText);
    change.m_nPosition = position;
    change.m_eCommandField = field;
    change.m_nIndex = index;
    change.m_strText = std::move(value);
    return change;
}

ProtocolChange ProtocolChange::RemoveText(int position, CommandFieldId field, int index) {
    ProtocolChange change(Kind::RemoveText);
    change.m_nPosition = position;
    change.m_eCommandField = field;
    change.m_nIndex = index;
    return change;
}

bool ProtocolChange::Apply(ProtocolNode& node) {
    CommandList& list = *node.m_poCmndList;
    switch (m_eKind) {
    case Kind::InsertCommand:
        // The list takes the command only when it has room for it.
        if (!list.InsertAt(m_nPosition, std::move(m_poCommand))) {
            return false;
        }
        m_eKind = Kind::RemoveCommand;
        return true;
    case Kind::RemoveCommand:
        m_poCommand = list.RemoveAt(m_nPosition);
        if (!m_poCommand) {
            return false;
        }
        m_eKind = Kind::InsertCommand;
        return true;
    case Kind::SetDeviceField:
        std::swap(node.*Field(m_eDeviceField).member, m_strText);
        return true;
    case Kind::SetCommandField:
    case Kind::InsertText:
    case Kind::RemoveText: {
        Command* command = list.GetAt(m_nPosition);
        return command != nullptr && ApplyToCommand(*command);
    }
    }
    return false;
}

bool ProtocolChange::ApplyToCommand(Command& command) {
    const CommandField& field = Field(m_eCommandField);
    if (m_eKind != Kind::SetCommandField) {
        return IsNumbered(field.kind) && MoveTexts(command, m_eKind == Kind::InsertText);
    }
    if (!IsNumbered(field.kind)) {
        std::swap(command.*field.member, m_strText);
        return true;
    }
    if (m_nIndex < 0 || m_nIndex >= CountOf(command, field.kind) ||
        m_nIndex >= NumberedLimit(field.kind)) {
        return false;
    }
    std::swap(Slot(command, field.kind, m_nIndex), m_strText);
    return true;
}

bool ProtocolChange::MoveTexts(Command& command, bool inserting) {
    CommandFieldKind kind = Field(m_eCommandField).kind;
    int limit = NumberedLimit(kind);
    std::int32_t& count = CountOf(command, kind);
    if (count < 0 || count > limit) {
        return false;
    }
    int last = m_nLast;
    if (inserting) {
        if (count == limit || m_nIndex < 0 || m_nIndex > count) {
            return false;
        }
        last = last < 0 ? count : last;
    } else {
        if (m_nIndex < 0 || m_nIndex >= count) {
            return false;
        }
        last = last < 0 ? limit - 1 : last;
    }
    if (last < m_nIndex || last >= limit) {
        return false;
    }

    Slot(command, kind, 0); // room for every text: the one step that may fail
    auto slot = [&](int index) -> Text& { return Slot(command, kind, index); };
    if (inserting) {
        // The texts from the index to the last move up by one, and the last one,
        // which lies past the count, comes round to the index to be replaced.
        Text moved = std::move(slot(last));
        for (int i = last; i > m_nIndex; --i) {
            slot(i) = std::move(slot(i - 1));
        }
        slot(m_nIndex) = std::move(moved);
        std::swap(slot(m_nIndex), m_strText);
        ++count;
        m_eKind = Kind::RemoveText;
    } else {
        // The reverse: the text at the index is taken (what the record held comes in
        // its place: nothing, for a new removal) and goes round to the last.
        std::swap(slot(m_nIndex), m_strText);
        Text moved = std::move(slot(m_nIndex));
        for (int i = m_nIndex; i < last; ++i) {
            slot(i) = std::move(slot(i + 1));
        }
        slot(last) = std::move(moved);
        --count;
        m_eKind = Kind::InsertText;
    }
    m_nLast = last;
    return true;
}
