#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// What a file on disk was at one moment: whether it was there, its size, its
// modification time and, when it was taken, a hash of its bytes. Comparing stamps
// tells whether another program has changed a file since.
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modified = 0; // milliseconds since the epoch
    QByteArray hash;     // empty when not taken

    // The file at `path` now; with `withHash` its bytes are read and hashed too.
    static FileStamp Of(const QString& path, bool withHash);

    // Same presence, size and modification time: the file very likely holds what it
    // held, so hashing it again can be spared.
    bool SameAttributes(const FileStamp& other) const {
        return exists == other.exists && size == other.size && modified == other.modified;
    }
    // Both there and holding the same bytes; both hashes must have been taken.
    bool SameContent(const FileStamp& other) const {
        return exists && other.exists && !hash.isEmpty() && hash == other.hash;
    }
};
