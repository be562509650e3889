#pragma once

#include <memory>

#include "model/FieldTable.h"
#include "model/Text.h"

// One change of a protocol, kept in a form that can be taken back. Applying a change
// makes it and leaves in the record what it replaced, so that applying the same
// record once more restores the protocol exactly as it was, the stale texts past a
// command's counts included. An undo stack would keep the applied records; the
// editor keeps none.
//
// Parameters change by their texts only: their parsed parts stay where they are.
class ProtocolChange {
public:
    enum class Kind {
        InsertCommand,   // a command into the list
        RemoveCommand,   // a command out of the list
        SetDeviceField,  // one text of the device header
        SetCommandField, // one text of a command: a field, or one parameter or byte text
        InsertText,      // a parameter or byte text; the texts after it move up by one
        RemoveText,      // a parameter or byte text; the texts after it move down by one
    };

    // `command` at `position` of the list, 0 to the count.
    static ProtocolChange InsertCommand(int position, std::unique_ptr<Command> command);
    static ProtocolChange RemoveCommand(int position);
    static ProtocolChange SetDeviceField(DeviceFieldId field, Text value);
    // A field of one text (the name included) of the command at `position`.
    static ProtocolChange SetCommandField(int position, CommandFieldId field, Text value);
    // Parameter or byte text `index` (0-based, within the count) of `field`, Params or
    // Bytes.
    static ProtocolChange SetCommandField(int position, CommandFieldId field, int index,
                                          Text value);
    // A new parameter or byte text at `index`, 0 to the count, while the count is below
    // its limit; the count grows by one.
    static ProtocolChange InsertText(int position, CommandFieldId field, int index, Text value);
    // Takes text `index`, within the count, out: every text after it, up to the last
    // there can be, moves down by one, the last becomes empty and the count falls by one.
    static ProtocolChange RemoveText(int position, CommandFieldId field, int index);

    ProtocolChange(ProtocolChange&&) noexcept = default;
    ProtocolChange& operator=(ProtocolChange&&) noexcept = default;
    ~ProtocolChange();

    // Makes the change and turns the record into its reverse: an insertion becomes
    // the removal that takes it back, a removal the insertion that restores what it
    // removed, and a set holds the text it replaced. False, with nothing changed, when
    // the change does not fit the protocol as it stands (a position or index outside
    // the list or the count, a field of the wrong kind, a full command). When memory
    // runs out, std::bad_alloc is thrown and the protocol is as it was.
    bool Apply(ProtocolNode& node);

    Kind GetKind() const { return m_eKind; }
    int GetPosition() const { return m_nPosition; }
    DeviceFieldId GetDeviceField() const { return m_eDeviceField; }
    CommandFieldId GetCommandField() const { return m_eCommandField; }
    int GetIndex() const { return m_nIndex; }
    // The text set, inserted or, once applied, replaced or removed.
    const Text& GetText() const { return m_strText; }
    // The command to insert or, once a removal is applied, the command removed.
    const Command* GetCommand() const { return m_poCommand.get(); }

private:
    explicit ProtocolChange(Kind kind) : m_eKind(kind) {}

    bool ApplyToCommand(Command& command);
    bool MoveTexts(Command& command, bool inserting);

    Kind m_eKind;
    int m_nPosition = 0;
    DeviceFieldId m_eDeviceField = DeviceFieldId::FileName;
    CommandFieldId m_eCommandField = CommandFieldId::Name;
    int m_nIndex = 0;
    // The last text an insertion or removal moves; -1 until it is first applied: the
    // count for an insertion, the last text there can be for a removal.
    int m_nLast = -1;
    Text m_strText;
    std::unique_ptr<Command> m_poCommand;
};
