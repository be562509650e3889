#pragma once

#include <QByteArray>
#include <optional>
#include <string>

#include "document/FileStamp.h"

// What a recovery copy says of the document it was taken from, beside the protocol
// itself: the document's path (empty when it was never saved), its title, the file
// name the protocol keeps, and its file as the document last read or wrote it.
struct RecoveryRecord {
    std::string path;     // UTF-8
    std::string title;    // UTF-8
    std::string fileName; // the protocol's m_strFileName, as its bytes
    FileStamp known;

    QByteArray ToBytes() const;
    // Nothing when `bytes` is not a record this program wrote.
    static std::optional<RecoveryRecord> FromBytes(const QByteArray& bytes);
};
