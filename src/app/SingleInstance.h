#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// Keeps the editor to one running program per user. The first program listens on a
// local socket that only the same user can reach; a later start hands its file path
// (or nothing, to bring the running editor to the front) over that socket and exits.
// A request that does not have the expected form is ignored.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The request: this line, then the absolute path (possibly empty) and a newline.
    static constexpr const char* kRequestHeader = "tessel-open/1\n";
    static constexpr int kMaxRequestSize = 64 * 1024;

    explicit SingleInstance(QString serverName, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The server name for the current user: a socket in the user's private runtime
    // folder when there is one, else one named after the user in the temporary folder.
    static QString DefaultServerName();

    // Hands `path` to a running program; true when one took it. A relative path is
    // made absolute first, since the running program has another working folder.
    bool HandOff(const QString& path, int timeoutMs = 2000) const;

    // Starts listening, clearing a socket left behind by a program that died; false
    // when another program listens or the socket cannot be made.
    bool Listen();
    bool IsListening() const;

    // The path in a complete, well-formed request, or false for anything else.
    static bool ParseRequest(const QByteArray& request, QString& path);

signals:
    // A later start asked to open `path`; empty asks only to be brought to the front.
    void OpenRequested(const QString& path);

private:
    void OnNewConnection();
    void OnReadyRead(QLocalSocket* socket);

    QString m_strServerName;
    QLocalServer* m_pServer = nullptr;
};
