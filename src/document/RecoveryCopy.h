#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class CTesselDoc;
class RecoveryStore;

// The recovery copy of one document. While the document has unsaved changes it
// writes the copy into the store, at most the store's delay after a change; once
// the document has none (saved, or its changes dropped) the copy goes. It follows
// only the document's change signals and its modified flag, so every way the
// document changes or returns to its saved state is followed alike.
//
// Closing the document discards the copy explicitly; destroying this object keeps
// it, as a crash would.
class RecoveryCopy : public QObject {
    Q_OBJECT
public:
    RecoveryCopy(CTesselDoc& document, RecoveryStore& store, QObject* parent = nullptr);
    ~RecoveryCopy() override;

    // Writes the copy now when the document has unsaved changes.
    void WriteNow();
    // Removes the copy, if there is one, and forgets what was pending.
    void Discard();

private:
    void OnChanged();
    void OnModifiedChanged(bool modified);

    CTesselDoc& m_rDocument;
    RecoveryStore& m_rStore;
    QString m_strName;
    // Whether a copy has been asked for and not removed since.
    bool m_bHasCopy = false;
    QTimer m_oTimer;
};
