#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The most recently used files, most recent first, as kept in the settings section
// "Recent File List" under "File1", "File2", ... and shown in the File menu.
class RecentFileList {
public:
    static constexpr const char* kSection = "Recent File List";
    static constexpr const char* kEntryFormat = "File%1";
    static constexpr int kDisplayLength = 30;

    explicit RecentFileList(int size) : m_nSize(size) {}

    int GetSize() const { return m_nSize; }
    int GetCount() const { return static_cast<int>(m_oPaths.size()); }
    const QStringList& Paths() const { return m_oPaths; }
    QString At(int index) const { return m_oPaths.value(index); }

    // Puts `path` first; an entry for the same file moves up, the oldest falls off.
    void Add(const QString& path);
    void Remove(int index);

    // The menu text of entry `index`: "&1 " and the path shortened to 30 characters.
    QString MenuText(int index) const;
    // Shortens `path` to at most `maxLength` characters by putting "..." for folders
    // after the root, dropped from the left; the file name alone when even that is
    // too long.
    static QString Abbreviate(const QString& path, int maxLength);

    void ReadList(QSettings& settings);
    void WriteList(QSettings& settings) const;

private:
    int m_nSize;
    QStringList m_oPaths;
};
