#pragma once

#include <QUndoCommand>
#include <vector>

#include "model/ProtocolChange.h"

class CTesselDoc;

// One step of a document's undo history: the changes one user action made, each
// record holding what it replaced. Undo applies their reverses last to first, redo
// applies them again first to last; the records turn back and forth as they are
// applied, so the step never holds a copy of the protocol.
//
// A step is pushed once its changes are made, so the stack's first redo finds it
// done and leaves the protocol alone.
class ChangeStep : public QUndoCommand {
public:
    explicit ChangeStep(CTesselDoc& document) : m_rDocument(document) {}

    // Room for one more record, taken before the change is made, so that keeping the
    // record of a made change cannot run out of memory.
    void Reserve() {
        if (m_oChanges.size() == m_oChanges.capacity()) {
            m_oChanges.reserve(m_oChanges.empty() ? 1 : 2 * m_oChanges.size());
        }
    }
    // Keeps the record of a change just made; `marks` when that change marks the
    // document modified.
    void Add(ProtocolChange change, bool marks);
    // Marks the document without a change: a user action that left the protocol as
    // it was marks it all the same.
    void Mark() { m_bMarks = true; }
    bool IsEmpty() const { return m_oChanges.empty() && !m_bMarks; }

    // How many steps from the bottom of the history up to this one, itself included,
    // mark the document modified; set as the step is pushed. The difference of two
    // says whether the steps between two states include one that marks.
    int MarksUpTo() const { return m_nMarksUpTo; }
    void SetMarksBelow(int below) { m_nMarksUpTo = below + (m_bMarks ? 1 : 0); }

    // The record last added; TakeLast takes it out of the step.
    const ProtocolChange& Last() const { return m_oChanges.back(); }
    ProtocolChange TakeLast();

    void undo() override;
    void redo() override;

private:
    // Applies every record, last to first when `backwards`; when one cannot be
    // applied, those already applied are applied again, which takes them back, and
    // the step stays as it was (the document hears of the failure).
    bool ApplyAll(bool backwards);

    CTesselDoc& m_rDocument;
    std::vector<ProtocolChange> m_oChanges;
    bool m_bMarks = false;
    int m_nMarksUpTo = 0;
    bool m_bDone = true;
};
