#include "document/DiskFileWatch.h"

#include <QDir>
#include <QFileInfo>

#include "document/QtText.h"
#include "platform/Platform.h"

namespace {

constexpr int kSettleMs = 100;

} // namespace

DiskFileWatch::DiskFileWatch(QObject* parent) : QObject(parent) {
    m_oSettle.setSingleShot(true);
    m_oSettle.setInterval(kSettleMs);
    connect(&m_oSettle, &QTimer::timeout, this, &DiskFileWatch::OnSettled);
    connect(&m_oWatcher, &QFileSystemWatcher::fileChanged, &m_oSettle, qOverload<>(&QTimer::start));
    connect(&m_oWatcher, &QFileSystemWatcher::directoryChanged, &m_oSettle,
            qOverload<>(&QTimer::start));
}

DiskFileWatch::~DiskFileWatch() = default;

void DiskFileWatch::Remember(const std::string& path) {
    QString target = TargetOf(path);
    FileStamp now = FileStamp::Of(target, true);
    Watch(target, now, now);
}

void DiskFileWatch::RememberAs(const std::string& path, const FileStamp& known) {
    QString target = TargetOf(path);
    Watch(target, known, FileStamp::Of(target, true));
}

QString DiskFileWatch::TargetOf(const std::string& path) {
    std::string target = Platform::Current().ResolveLinks(path);
    return QtText::FromUtf8(target.empty() ? path : target);
}

void DiskFileWatch::Watch(const QString& target, const FileStamp& known, const FileStamp& now) {
    m_strTarget = target;
    m_oKnown = known;
    m_oOnDisk = now;
    // What is there now is not news, whatever it is.
    m_oTold = now;
    m_eState = !now.exists              ? State::Missing
               : now.SameContent(known) ? State::Unchanged
                                        : State::Changed;
    // After a save the watched file is a new one: the rename replaced it.
    Arm();
}

void DiskFileWatch::Arm() {
    if (!m_oWatcher.files().isEmpty()) {
        m_oWatcher.removePaths(m_oWatcher.files());
    }
    if (!m_oWatcher.directories().isEmpty()) {
        m_oWatcher.removePaths(m_oWatcher.directories());
    }
    if (m_strTarget.isEmpty()) {
        return;
    }
    // While the file is missing its folder is watched, so that its return is seen.
    if (QFileInfo::exists(m_strTarget)) {
        m_oWatcher.addPath(m_strTarget);
    } else if (QFileInfo(m_strTarget).dir().exists()) {
        m_oWatcher.addPath(QFileInfo(m_strTarget).absolutePath());
    }
}

DiskFileWatch::State DiskFileWatch::Check(bool thorough) {
    if (m_strTarget.isEmpty()) {
        return m_eState = State::Unchanged;
    }
    FileStamp now = FileStamp::Of(m_strTarget, false);
    if (!now.exists) {
        m_oOnDisk = now;
        return m_eState = State::Missing;
    }
    if (!thorough && now.SameAttributes(m_oOnDisk) && !m_oOnDisk.hash.isEmpty()) {
        // Nothing moved since the last look.
        return m_eState;
    }
    now = FileStamp::Of(m_strTarget, true);
    m_oOnDisk = now;
    if (now.SameContent(m_oKnown)) {
        // Touched, or written back as it was: the same bytes are no change.
        m_oKnown = now;
        return m_eState = State::Unchanged;
    }
    return m_eState = State::Changed;
}

bool DiskFileWatch::HasNews() const {
    switch (m_eState) {
    case State::Unchanged:
        return false;
    case State::Missing:
        return m_oTold.exists;
    case State::Changed:
        return !m_oOnDisk.SameContent(m_oTold);
    }
    return false;
}

void DiskFileWatch::NoteTold() {
    m_oTold = m_oOnDisk;
}

void DiskFileWatch::OnSettled() {
    Arm();
    Check(true);
    if (HasNews()) {
        emit ChangedOnDisk();
    }
}
