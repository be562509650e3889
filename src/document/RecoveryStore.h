#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <memory>
#include <optional>
#include <vector>

#include "document/RecoveryRecord.h"

class TextBuffer;

// The folder of recovery copies: while a document has unsaved changes, a copy of
// it (the bytes Save would write, and a record of the document beside them) is
// kept here, so that the next start after a crash can offer it. The folder is
// private to the user (0700). Each running editor holds a lock in it, named after
// the editor, and names its copies after itself too: copies whose editor holds no
// lock any more were left by one that stopped without removing them.
//
// Copies are written and removed in the order asked, on a thread of their own, so
// that writing never holds up typing; each write goes through the same safe writer
// as Save.
class RecoveryStore : public QObject {
    Q_OBJECT
public:
    // How long after a change the copy is written, at most.
    static constexpr int kWriteDelayMs = 2000;

    // A copy left by an editor that is no longer running.
    struct LeftCopy {
        QString protocolPath; // the protocol's bytes
        QString recordPath;   // the record of the document
        // Nothing when the record cannot be read.
        std::optional<RecoveryRecord> record;
    };

    // The per-user folder: "tessel/recovery" in the user's data folder.
    static QString DefaultFolder();

    explicit RecoveryStore(QString folder, QObject* parent = nullptr);
    // Waits for the copies under way; keeps every copy.
    ~RecoveryStore() override;

    // Makes the folder, private to the user, and takes this editor's lock in it;
    // false when either cannot be done, and the store is then not to be used.
    bool Open();
    const QString& GetFolder() const { return m_strFolder; }

    // The name of a new copy of this editor.
    QString NewCopyName();
    // Writes copy `name`: its record, then the protocol's bytes.
    void Write(const QString& name, const QByteArray& record,
               std::shared_ptr<const TextBuffer> text);
    void Remove(const QString& name);
    // Returns once every write and removal asked for has been done.
    void WaitForWrites();

    // The copies of editors that no longer run, oldest first. Their editors' locks
    // are taken meanwhile, so that another editor starting now does not offer them
    // too, until ReleaseLeftCopies.
    std::vector<LeftCopy> ClaimLeftCopies();
    // Removes a left copy, after the writes asked for before.
    void Discard(const LeftCopy& copy);
    void ReleaseLeftCopies();

    int GetWriteDelay() const { return m_nWriteDelayMs; }
    void SetWriteDelay(int milliseconds) { m_nWriteDelayMs = milliseconds; }

signals:
    // A copy could not be written into the folder.
    void WriteFailed();

private:
    QString PathOf(const QString& name, const char* suffix) const;

    QString m_strFolder;
    QString m_strEditor;
    int m_nNextCopy = 1;
    int m_nWriteDelayMs = kWriteDelayMs;
    std::unique_ptr<QLockFile> m_poLock;
    std::vector<std::unique_ptr<QLockFile>> m_oClaims;
    // One thread, so that the copies are written and removed in the order asked.
    QThreadPool m_oWriter;
};
