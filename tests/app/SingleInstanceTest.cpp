#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "app/SingleInstance.h"

namespace {

// Sends raw bytes as a client would and closes the connection.
void SendRaw(const QString& server, const QByteArray& bytes) {
    QLocalSocket socket;
    socket.connectToServer(server);
    ASSERT_TRUE(socket.waitForConnected(2000));
    socket.write(bytes);
    ASSERT_TRUE(socket.waitForBytesWritten(2000));
    socket.disconnectFromServer();
}

} // namespace

TEST(SingleInstance, ALaterStartHandsItsFileToTheRunningProgram) {
    QTemporaryDir dir;
    QString name = dir.filePath("tessel.socket");
    SingleInstance running(name);
    ASSERT_TRUE(running.Listen());
    EXPECT_TRUE(running.IsListening());
    // Only this user may reach the socket.
    QFileInfo socketFile(name);
    EXPECT_EQ(socketFile.permissions() &
                  (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());

    QSignalSpy requests(&running, &SingleInstance::OpenRequested);
    SingleInstance second(name);
    EXPECT_FALSE(second.Listen()); // someone answers: another program runs
    EXPECT_TRUE(second.HandOff("/shows/Relay Box.pcl"));
    ASSERT_TRUE(requests.wait(2000));
    EXPECT_EQ(requests.at(0).at(0).toString(), "/shows/Relay Box.pcl");

    // Nothing to open just brings the editor to the front.
    EXPECT_TRUE(second.HandOff(QString()));
    ASSERT_TRUE(requests.wait(2000));
    EXPECT_EQ(requests.at(1).at(0).toString(), "");
}

TEST(SingleInstance, WithoutARunningProgramNothingIsHandedOff) {
    QTemporaryDir dir;
    SingleInstance alone(dir.filePath("nobody.socket"));
    EXPECT_FALSE(alone.HandOff("/a.pcl", 200));
}

TEST(SingleInstance, MalformedRequestsAreIgnored) {
    QTemporaryDir dir;
    QString name = dir.filePath("tessel.socket");
    SingleInstance running(name);
    ASSERT_TRUE(running.Listen());
    QSignalSpy requests(&running, &SingleInstance::OpenRequested);

    SendRaw(name, "open /etc/passwd\n");
    SendRaw(name, "tessel-open/1\nrelative.pcl\n");
    SendRaw(name, QByteArray("tessel-open/1\n/a") + '\0' + QByteArray("b.pcl\n"));
    SendRaw(name, "tessel-open/1\n/bad\xff\xfe.pcl\n");
    SendRaw(name, "tessel-open/1\n" + QByteArray(SingleInstance::kMaxRequestSize, 'x'));
    EXPECT_FALSE(requests.wait(300));
    EXPECT_EQ(requests.count(), 0);

    // The server still serves a proper request afterwards.
    SendRaw(name, "tessel-open/1\n/good.pcl\n");
    ASSERT_TRUE(requests.wait(2000));
    EXPECT_EQ(requests.at(0).at(0).toString(), "/good.pcl");
}

TEST(SingleInstance, ParsesOnlyTheExactForm) {
    QString path;
    EXPECT_TRUE(SingleInstance::ParseRequest("tessel-open/1\n/x/caf\xc3\xa9.pcl\n", path));
    EXPECT_EQ(path, QString::fromUtf8("/x/caf\xc3\xa9.pcl"));
    EXPECT_TRUE(SingleInstance::ParseRequest("tessel-open/1\n\n", path));
    EXPECT_EQ(path, "");
    EXPECT_FALSE(SingleInstance::ParseRequest("tessel-open/1\n/x.pcl", path)); // no end
    EXPECT_FALSE(SingleInstance::ParseRequest("tessel-open/1\n/x\n/y\n", path));
    EXPECT_FALSE(SingleInstance::ParseRequest("tessel-open/2\n/x.pcl\n", path));
    EXPECT_FALSE(SingleInstance::ParseRequest("", path));
}

TEST(SingleInstance, ASocketLeftByAProgramThatDiedIsTakenOver) {
    QTemporaryDir dir;
    QString name = dir.filePath("tessel.socket");
    // A dead program leaves its socket file behind; nobody answers on it.
    {
        QFile leftover(name);
        ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    }
    SingleInstance running(name);
    ASSERT_TRUE(running.Listen());
    QSignalSpy requests(&running, &SingleInstance::OpenRequested);
    EXPECT_TRUE(SingleInstance(name).HandOff("/a.pcl"));
    EXPECT_TRUE(requests.wait(2000));
}
