#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <string>

#include "document/FileStamp.h"

// A document's file as the document last read or wrote it, and a watch on it, so
// that a change another program makes is noticed and told once. The file watched is
// the one a symbolic link names. The document's own saves never count: each one
// takes a new stamp and arms the watch again on the file its rename put in place.
class DiskFileWatch : public QObject {
    Q_OBJECT
public:
    enum class State {
        Unchanged, // the file holds what was last read or written
        Changed,   // another program changed what it holds
        Missing,   // it has been deleted or moved away
    };

    explicit DiskFileWatch(QObject* parent = nullptr);
    ~DiskFileWatch() override;

    // The file at `path` as it is now has just been read or written.
    void Remember(const std::string& path);
    // `known` is what the file at `path` was when it was last read or written,
    // which may be long ago; whatever it is now counts as told.
    void RememberAs(const std::string& path, const FileStamp& known);

    const FileStamp& Known() const { return m_oKnown; }

    // Compares the file on disk with what was last read or written; the file is
    // hashed again only when its size or time changed, or when `thorough`.
    State Check(bool thorough = false);
    // The state the last Check found.
    State GetState() const { return m_eState; }
    // Whether the last Check found a change the user has not been told of.
    bool HasNews() const;
    // The change the last Check found has been told.
    void NoteTold();

signals:
    // The watch saw the file change in a way the user has not been told of.
    void ChangedOnDisk();

private:
    // The file that writing to `path` changes.
    static QString TargetOf(const std::string& path);
    void Watch(const QString& target, const FileStamp& known, const FileStamp& now);
    void Arm();
    void OnSettled();

    QString m_strTarget;
    // The file as last read or written, and as the last look found it.
    FileStamp m_oKnown;
    FileStamp m_oOnDisk;
    // The file as the user was last told of it, or as it was when remembered.
    FileStamp m_oTold;
    State m_eState = State::Unchanged;
    QFileSystemWatcher m_oWatcher;
    // A program that writes a file in several steps sends several notices; the
    // file is looked at once they have stopped.
    QTimer m_oSettle;
};
