#include "document/RecoveryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QUuid>
#include <utility>

#include "document/QtText.h"
#include "model/ProtocolWriter.h"
#include "model/TextBuffer.h"
#include "platform/HeadlessPlatform.h"

namespace {

constexpr char kProtocolSuffix[] = ".pcl";
constexpr char kRecordSuffix[] = ".record";
constexpr char kLockSuffix[] = ".lock";

// The local file system for the writing thread: the file operations every platform
// starts from, which are safe on any thread. Nothing is ever shown from there.
class LocalFiles final : public HeadlessPlatform {
public:
    Answer ShowMessage(const std::string& /*text*/, MessageKind /*kind*/) override {
        return Answer::Cancel;
    }
};

bool WriteBytes(Platform& files, const char* data, std::size_t size, const QString& path) {
    return WriteFileSafely(files, data, size, QtText::ToUtf8(path)) == SafeWriteResult::Written;
}

// The editor a copy or lock belongs to: its name up to the copy's number.
QString EditorOf(const QFileInfo& entry) {
    QString base = entry.completeBaseName();
    if (entry.suffix() == QLatin1String(kLockSuffix + 1)) {
        return base;
    }
    return base.left(std::max<qsizetype>(base.lastIndexOf(QLatin1Char('-')), 0));
}

} // namespace

QString RecoveryStore::DefaultFolder() {
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/tessel/recovery");
}

RecoveryStore::RecoveryStore(QString folder, QObject* parent)
    : QObject(parent), m_strFolder(std::move(folder)),
      m_strEditor(QUuid::createUuid().toString(QUuid::Id128)) {
    m_oWriter.setMaxThreadCount(1);
}

RecoveryStore::~RecoveryStore() {
    WaitForWrites();
}

QString RecoveryStore::PathOf(const QString& name, const char* suffix) const {
    return m_strFolder + QLatin1Char('/') + name + QLatin1String(suffix);
}

bool RecoveryStore::Open() {
    if (m_strFolder.isEmpty()) {
        return false;
    }
    const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QDir folder(m_strFolder);
    // Made private from the start, and made private again if it was not.
    if (!folder.exists() &&
        !(QDir().mkpath(QFileInfo(m_strFolder).path()) && QDir().mkdir(m_strFolder, owner))) {
        return false;
    }
    if (!QFileInfo(m_strFolder).isDir() || !QFile::setPermissions(m_strFolder, owner)) {
        return false;
    }
    m_poLock = std::make_unique<QLockFile>(PathOf(m_strEditor, kLockSuffix));
    // Only a lock whose editor no longer runs is stale, however old it is.
    m_poLock->setStaleLockTime(0);
    if (!m_poLock->tryLock(0)) {
        m_poLock.reset();
        return false;
    }
    return true;
}

QString RecoveryStore::NewCopyName() {
    return m_strEditor + QLatin1Char('-') + QString::number(m_nNextCopy++);
}

void RecoveryStore::Write(const QString& name, const QByteArray& record,
                          std::shared_ptr<const TextBuffer> text) {
    // The record first: a copy is only ever found with the record that names it.
    m_oWriter.start([this, record, text = std::move(text),
                     protocolPath = PathOf(name, kProtocolSuffix),
                     recordPath = PathOf(name, kRecordSuffix)] {
        LocalFiles files;
        bool written = WriteBytes(files, record.constData(),
                                  static_cast<std::size_t>(record.size()), recordPath) &&
                       WriteBytes(files, text->GetData(), text->GetWritten(), protocolPath);
        if (!written) {
            QMetaObject::invokeMethod(this, &RecoveryStore::WriteFailed, Qt::QueuedConnection);
        }
    });
}

void RecoveryStore::Remove(const QString& name) {
    Discard({PathOf(name, kProtocolSuffix), PathOf(name, kRecordSuffix), std::nullopt});
}

void RecoveryStore::Discard(const LeftCopy& copy) {
    m_oWriter.start([protocolPath = QtText::ToUtf8(copy.protocolPath),
                     recordPath = QtText::ToUtf8(copy.recordPath)] {
        LocalFiles files;
        files.RemoveFile(protocolPath);
        files.RemoveFile(recordPath);
    });
}

void RecoveryStore::WaitForWrites() {
    m_oWriter.waitForDone();
}

std::vector<RecoveryStore::LeftCopy> RecoveryStore::ClaimLeftCopies() {
    std::vector<LeftCopy> copies;
    QSet<QString> claimed;
    QSet<QString> running;
    const QFileInfoList entries =
        QDir(m_strFolder)
            .entryInfoList(
                {QStringLiteral("*.pcl"), QStringLiteral("*.record"), QStringLiteral("*.lock")},
                QDir::Files | QDir::Hidden, QDir::Time | QDir::Reversed);
    for (const QFileInfo& entry : entries) {
        QString editor = EditorOf(entry);
        if (editor.isEmpty() || editor == m_strEditor || running.contains(editor)) {
            continue;
        }
        if (!claimed.contains(editor)) {
            auto lock = std::make_unique<QLockFile>(PathOf(editor, kLockSuffix));
            lock->setStaleLockTime(0);
            if (!lock->tryLock(0)) {
                running.insert(editor);
                continue;
            }
            claimed.insert(editor);
            m_oClaims.push_back(std::move(lock));
        }
        const QString base = entry.absolutePath() + QLatin1Char('/') + entry.completeBaseName();
        if (entry.suffix() == QLatin1String(kRecordSuffix + 1) &&
            !QFileInfo::exists(base + QLatin1String(kProtocolSuffix))) {
            // The editor stopped before the first copy of a document was written.
            QFile::remove(entry.absoluteFilePath());
        }
        if (entry.suffix() != QLatin1String(kProtocolSuffix + 1)) {
            continue;
        }
        LeftCopy copy{entry.absoluteFilePath(), base + QLatin1String(kRecordSuffix), std::nullopt};
        QFile record(copy.recordPath);
        if (record.open(QIODevice::ReadOnly)) {
            copy.record = RecoveryRecord::FromBytes(record.readAll());
        }
        copies.push_back(std::move(copy));
    }
    return copies;
}

void RecoveryStore::ReleaseLeftCopies() {
    // After the removals asked for so far: until then the copies are still claimed.
    auto claims = std::make_shared<std::vector<std::unique_ptr<QLockFile>>>(std::move(m_oClaims));
    m_oClaims.clear();
    m_oWriter.start([claims] { claims->clear(); });
}
