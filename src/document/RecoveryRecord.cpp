#include "document/RecoveryRecord.h"

#include <QList>

namespace {

// The first line, which also tells a later program what it is reading.
constexpr char kHeader[] = "tessel-recovery/1";

QByteArray Line(const char* key, const QByteArray& value) {
    // Percent-encoded, so that any path or title stays on its line.
    return QByteArray(key) + '=' + value.toPercentEncoding() + '\n';
}

QByteArray FromStd(const std::string& text) {
    return {text.data(), static_cast<qsizetype>(text.size())};
}

std::string ToStd(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

QByteArray RecoveryRecord::ToBytes() const {
    QByteArray bytes = QByteArray(kHeader) + '\n';
    bytes += Line("Path", FromStd(path));
    bytes += Line("Title", FromStd(title));
    bytes += Line("FileName", FromStd(fileName));
    if (known.exists) {
        bytes += Line("Size", QByteArray::number(known.size));
        bytes += Line("Modified", QByteArray::number(known.modified));
        bytes += Line("Hash", known.hash.toHex());
    }
    return bytes;
}

std::optional<RecoveryRecord> RecoveryRecord::FromBytes(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.front() != kHeader) {
        return std::nullopt;
    }
    RecoveryRecord record;
    bool hasTitle = false;
    bool numbersOk = true;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        qsizetype equals = line.indexOf('=');
        if (equals <= 0) {
            continue;
        }
        QByteArray key = line.left(equals);
        QByteArray value = QByteArray::fromPercentEncoding(line.mid(equals + 1));
        bool ok = true;
        if (key == "Path") {
            record.path = ToStd(value);
        } else if (key == "Title") {
            record.title = ToStd(value);
            hasTitle = true;
        } else if (key == "FileName") {
            record.fileName = ToStd(value);
        } else if (key == "Size") {
            record.known.size = value.toLongLong(&ok);
            record.known.exists = true;
        } else if (key == "Modified") {
            record.known.modified = value.toLongLong(&ok);
        } else if (key == "Hash") {
            record.known.hash = QByteArray::fromHex(value);
        }
        numbersOk = numbersOk && ok;
    }
    // A document always has a title; one without came from something else.
    if (!hasTitle || record.title.empty() || !numbersOk) {
        return std::nullopt;
    }
    return record;
}
