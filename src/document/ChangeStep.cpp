#include "document/ChangeStep.h"

#include "document/CTesselDoc.h"

void ChangeStep::Add(ProtocolChange change, bool marks) {
    m_oChanges.push_back(std::move(change));
    m_bMarks = m_bMarks || marks;
}

ProtocolChange ChangeStep::TakeLast() {
    ProtocolChange last = std::move(m_oChanges.back());
    m_oChanges.pop_back();
    return last;
}

void ChangeStep::undo() {
    if (m_bDone && ApplyAll(true)) {
        m_bDone = false;
    }
}

void ChangeStep::redo() {
    if (!m_bDone && ApplyAll(false)) {
        m_bDone = true;
    }
}

bool ChangeStep::ApplyAll(bool backwards) {
    const int count = static_cast<int>(m_oChanges.size());
    auto at = [&](int i) -> ProtocolChange& {
        return m_oChanges[static_cast<std::size_t>(backwards ? count - 1 - i : i)];
    };
    int applied = 0;
    while (applied < count && m_rDocument.ApplyRecorded(at(applied))) {
        ++applied;
    }
    if (applied == count) {
        return true;
    }
    // Taking back what was just applied puts things where they were a moment ago,
    // where there is still room for them.
    while (applied > 0) {
        --applied;
        m_rDocument.ApplyRecorded(at(applied));
    }
    return false;
}
