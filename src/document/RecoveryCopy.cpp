#include "document/RecoveryCopy.h"

#include <memory>

#include "document/CTesselDoc.h"
#include "document/RecoveryRecord.h"
#include "document/RecoveryStore.h"
#include "model/ProtocolWriter.h"
#include "model/TextBuffer.h"

RecoveryCopy::RecoveryCopy(CTesselDoc& document, RecoveryStore& store, QObject* parent)
    : QObject(parent), m_rDocument(document), m_rStore(store), m_strName(store.NewCopyName()) {
    m_oTimer.setSingleShot(true);
    connect(&m_oTimer, &QTimer::timeout, this, &RecoveryCopy::WriteNow);
    connect(&document, &DocumentBase::ModifiedChanged, this, &RecoveryCopy::OnModifiedChanged);
    connect(&document, &DocumentBase::TitleChanged, this, &RecoveryCopy::OnChanged);
    connect(&document, &CTesselDoc::CommandInserted, this, &RecoveryCopy::OnChanged);
    connect(&document, &CTesselDoc::CommandRemoved, this, &RecoveryCopy::OnChanged);
    connect(&document, &CTesselDoc::CommandFieldChanged, this, &RecoveryCopy::OnChanged);
    connect(&document, &CTesselDoc::DeviceFieldChanged, this, &RecoveryCopy::OnChanged);
    connect(&document, &CTesselDoc::ProtocolReplaced, this, &RecoveryCopy::OnChanged);
}

RecoveryCopy::~RecoveryCopy() = default;

void RecoveryCopy::OnChanged() {
    // Not held back by later changes: typing without a pause still gets a copy.
    if (m_rDocument.IsModified() && !m_oTimer.isActive()) {
        m_oTimer.start(m_rStore.GetWriteDelay());
    }
}

void RecoveryCopy::OnModifiedChanged(bool modified) {
    if (modified) {
        OnChanged();
    } else {
        Discard();
    }
}

void RecoveryCopy::WriteNow() {
    m_oTimer.stop();
    if (!m_rDocument.IsModified()) {
        return;
    }
    // The bytes are taken here, at once; the store writes them while the user goes
    // on editing.
    auto text = std::make_shared<TextBuffer>();
    if (!RenderProtocolFile(m_rDocument.GetProtocol(), *text)) {
        // Out of memory now; the next change tries again.
        return;
    }
    RecoveryRecord record;
    record.path = m_rDocument.GetPathName();
    record.title = m_rDocument.GetTitle();
    record.fileName = std::string(m_rDocument.GetProtocol().m_strFileName.view());
    record.known = m_rDocument.GetDiskFile().Known();
    m_rStore.Write(m_strName, record.ToBytes(), std::move(text));
    m_bHasCopy = true;
}

void RecoveryCopy::Discard() {
    m_oTimer.stop();
    if (m_bHasCopy) {
        m_rStore.Remove(m_strName);
        m_bHasCopy = false;
    }
}
