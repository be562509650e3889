#include "app/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QStringDecoder>

#include <unistd.h>

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), m_strServerName(std::move(serverName)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultServerName() {
    // Asked only when the session has a runtime folder: otherwise Qt makes one up
    // and complains about it on the console.
    QString runtime;
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) {
        return runtime + QStringLiteral("/tessel.socket");
    }
    return QDir::tempPath() + QStringLiteral("/tessel-%1.socket").arg(::getuid());
}

bool SingleInstance::HandOff(const QString& path, int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(m_strServerName);
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    QByteArray request(kRequestHeader);
    if (!path.isEmpty()) {
        request += QFileInfo(path).absoluteFilePath().toUtf8();
    }
    request += '\n';
    socket.write(request);
    if (!socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(timeoutMs);
    }
    return true;
}

bool SingleInstance::Listen() {
    if (m_pServer != nullptr) {
        return m_pServer->isListening();
    }
    // Someone answering means another program runs. Ask first: a server made for
    // one user only would silently take over the name.
    {
        QLocalSocket probe;
        probe.connectToServer(m_strServerName);
        if (probe.waitForConnected(500)) {
            return false;
        }
    }
    // Silence means at most a socket left behind by a program that ended abnormally.
    QLocalServer::removeServer(m_strServerName);
    m_pServer = new QLocalServer(this);
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_pServer->listen(m_strServerName)) {
        return false;
    }
    connect(m_pServer, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
    return true;
}

bool SingleInstance::IsListening() const {
    return m_pServer != nullptr && m_pServer->isListening();
}

void SingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0) {
            OnReadyRead(socket);
        }
    }
}

void SingleInstance::OnReadyRead(QLocalSocket* socket) {
    QByteArray buffered = socket->property("request").toByteArray() + socket->readAll();
    const QByteArray header(kRequestHeader);
    bool complete = buffered.size() > header.size() && buffered.endsWith('\n');
    bool tooLong = buffered.size() > kMaxRequestSize;
    bool wrongStart = !header.startsWith(buffered.left(header.size()));
    if (!complete && !tooLong && !wrongStart) {
        socket->setProperty("request", buffered);
        return;
    }
    // One request per connection: whatever it held, this connection is done.
    socket->setProperty("request", QByteArray());
    socket->disconnectFromServer();
    QString path;
    if (!tooLong && !wrongStart && ParseRequest(buffered, path)) {
        emit OpenRequested(path);
    }
}

bool SingleInstance::ParseRequest(const QByteArray& request, QString& path) {
    const QByteArray header(kRequestHeader);
    if (!request.startsWith(header) || !request.endsWith('\n') ||
        request.size() > kMaxRequestSize) {
        return false;
    }
    QByteArray body = request.mid(header.size(), request.size() - header.size() - 1);
    if (body.contains('\n') || body.contains('\0')) {
        return false;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(body);
    if (decoder.hasError() || (!text.isEmpty() && !QDir::isAbsolutePath(text))) {
        return false;
    }
    path = text;
    return true;
}
