#include "document/FileStamp.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

FileStamp FileStamp::Of(const QString& path, bool withHash) {
    FileStamp stamp;
    // A fresh QFileInfo: a cached one would report what the file was.
    QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        return stamp;
    }
    stamp.exists = true;
    stamp.size = info.size();
    stamp.modified = info.lastModified().toMSecsSinceEpoch();
    if (withHash) {
        QFile file(path);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (file.open(QIODevice::ReadOnly) && hash.addData(&file)) {
            stamp.hash = hash.result();
        }
    }
    return stamp;
}
