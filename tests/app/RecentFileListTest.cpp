#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "app/RecentFileList.h"

TEST(RecentFileList, KeepsTheMostRecentFirstWithoutDuplicates) {
    RecentFileList list(4);
    for (const char* path : {"/a.pcl", "/b.pcl", "/c.pcl", "/d.pcl", "/b.pcl", "/e.pcl"}) {
        list.Add(QString::fromLatin1(path));
    }
    EXPECT_EQ(list.Paths(), (QStringList{"/e.pcl", "/b.pcl", "/d.pcl", "/c.pcl"}));
    list.Remove(1);
    list.Remove(7);
    EXPECT_EQ(list.Paths(), (QStringList{"/e.pcl", "/d.pcl", "/c.pcl"}));
}

TEST(RecentFileList, AbbreviatesLongPathsToThirtyCharacters) {
    EXPECT_EQ(RecentFileList::Abbreviate("/home/dana/Relay.pcl", 30), "/home/dana/Relay.pcl");
    // Folders after the root go first, from the left, until the rest fits.
    EXPECT_EQ(RecentFileList::Abbreviate("/home/dana/shows/winter/Protocol/Relay.pcl", 30),
              "/.../winter/Protocol/Relay.pcl");
    EXPECT_EQ(RecentFileList::Abbreviate("/home/dana/shows/winter/Protocol/Relay.pcl", 30).size(),
              30);
    EXPECT_EQ(RecentFileList::Abbreviate("/home/dana/AVeryLongFolderNameIndeed/Relay.pcl", 30),
              "/.../Relay.pcl");
    // When even that is too long, the file name alone.
    EXPECT_EQ(RecentFileList::Abbreviate("/x/y/AProtocolWithAVeryVeryLongName.pcl", 30),
              "AProtocolWithAVeryVeryLongName.pcl");

    RecentFileList list(4);
    list.Add("/home/dana/shows/winter/Protocol/Relay.pcl");
    list.Add("/tmp/R&D.pcl");
    EXPECT_EQ(list.MenuText(0), "&1 /tmp/R&&D.pcl");
    EXPECT_EQ(list.MenuText(1), "&2 /.../winter/Protocol/Relay.pcl");
}

TEST(RecentFileList, ReadsAndWritesTheSettingsSection) {
    QTemporaryDir dir;
    QString file = dir.filePath("tessel.ini");
    {
        QSettings settings(file, QSettings::IniFormat);
        settings.setValue("Recent File List/File1", "/one.pcl");
        settings.setValue("Recent File List/File2", "/two.pcl");
        settings.setValue("Recent File List/File4", "/four.pcl");
        settings.setValue("Recent File List/File5", "/five.pcl");
    }
    RecentFileList list(4);
    {
        QSettings settings(file, QSettings::IniFormat);
        list.ReadList(settings);
    }
    // A gap is closed up; entries past the size are not read.
    EXPECT_EQ(list.Paths(), (QStringList{"/one.pcl", "/two.pcl", "/four.pcl"}));
    list.Remove(0);
    {
        QSettings settings(file, QSettings::IniFormat);
        list.WriteList(settings);
    }
    QSettings settings(file, QSettings::IniFormat);
    EXPECT_EQ(settings.value("Recent File List/File1").toString(), "/two.pcl");
    EXPECT_EQ(settings.value("Recent File List/File2").toString(), "/four.pcl");
    EXPECT_FALSE(settings.contains("Recent File List/File3"));
    EXPECT_FALSE(settings.contains("Recent File List/File4"));
}
