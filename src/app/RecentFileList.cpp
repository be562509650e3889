#include "app/RecentFileList.h"

#include <QSettings>

void RecentFileList::Add(const QString& path) {
    if (path.isEmpty()) {
        return;
    }
    m_oPaths.removeAll(path);
    m_oPaths.prepend(path);
    while (m_oPaths.size() > m_nSize) {
        m_oPaths.removeLast();
    }
}

void RecentFileList::Remove(int index) {
    if (index >= 0 && index < m_oPaths.size()) {
        m_oPaths.removeAt(index);
    }
}

QString RecentFileList::Abbreviate(const QString& path, int maxLength) {
    if (path.size() <= maxLength) {
        return path;
    }
    const QChar separator = QLatin1Char('/');
    const QString ellipsis = QStringLiteral("...");
    int nameStart = path.lastIndexOf(separator) + 1;
    QString fileName = path.mid(nameStart);
    // The root is everything up to and including the first separator.
    int rootEnd = path.indexOf(separator) + 1;
    QString root = path.left(rootEnd);
    if (rootEnd == 0 || rootEnd >= nameStart ||
        root.size() + ellipsis.size() + 1 + fileName.size() > maxLength) {
        return fileName;
    }
    // Drop folders after the root one by one until the rest fits.
    QString rest = path.mid(rootEnd);
    for (;;) {
        QString candidate = root + ellipsis + separator + rest;
        if (candidate.size() <= maxLength) {
            return candidate;
        }
        int next = rest.indexOf(separator);
        if (next < 0) {
            return fileName; // not reached: the file name alone was checked to fit
        }
        rest = rest.mid(next + 1);
    }
}

QString RecentFileList::MenuText(int index) const {
    QString shown = Abbreviate(At(index), kDisplayLength);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

void RecentFileList::ReadList(QSettings& settings) {
    m_oPaths.clear();
    settings.beginGroup(QString::fromLatin1(kSection));
    for (int i = 1; i <= m_nSize; ++i) {
        QString path = settings.value(QString::fromLatin1(kEntryFormat).arg(i)).toString();
        if (!path.isEmpty() && !m_oPaths.contains(path)) {
            m_oPaths.append(path);
        }
    }
    settings.endGroup();
}

void RecentFileList::WriteList(QSettings& settings) const {
    settings.beginGroup(QString::fromLatin1(kSection));
    for (int i = 1; i <= m_nSize; ++i) {
        QString key = QString::fromLatin1(kEntryFormat).arg(i);
        if (i <= m_oPaths.size()) {
            settings.setValue(key, m_oPaths.at(i - 1));
        } else {
            settings.remove(key);
        }
    }
    settings.endGroup();
}
