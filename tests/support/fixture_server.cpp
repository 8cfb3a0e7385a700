#include "fixture_server.h"

#include <QTemporaryDir>

#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QSslSocket>
#include <QTimer>

namespace rx42::testing {

FixtureServer::FixtureServer(QObject* parent)
    : QTcpServer(parent)
{
}

bool FixtureServer::start()
{
    return listen(QHostAddress::LocalHost, 0);
}

bool FixtureServer::start(const QSslCertificate& certificate, const QSslKey& key)
{
    certificate_ = certificate;
    key_ = key;
    return listen(QHostAddress::LocalHost, 0);
}

FixtureServer::SecureStart FixtureServer::start_self_signed()
{
    QTemporaryDir folder;
    QSslCertificate certificate;
    QSslKey key;
    if (!folder.isValid() || !make_certificate(folder.path(), certificate, key))
        return SecureStart::no_certificate;
    return start(certificate, key) ? SecureStart::started : SecureStart::not_listening;
}

QUrl FixtureServer::url(const QString& path) const
{
    const QString scheme = certificate_.isNull() ? QStringLiteral("http") : QStringLiteral("https");
    return QUrl(QStringLiteral("%1://127.0.0.1:%2%3").arg(scheme).arg(serverPort()).arg(path));
}

void FixtureServer::set_page(const QString& path, const QByteArray& body, const QByteArray& content_type, int delay_ms)
{
    pages_.insert(path, Page{body, content_type, delay_ms});
}

quint16 FixtureServer::refused_port()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

bool FixtureServer::make_certificate(const QString& folder, QSslCertificate& certificate, QSslKey& key)
{
    const QString cert_path = folder + QStringLiteral("/cert.pem");
    const QString key_path = folder + QStringLiteral("/key.pem");
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                   QStringLiteral("-nodes"), QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                   QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-keyout"), key_path, QStringLiteral("-out"), cert_path});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
        return false;
    QFile cert_file(cert_path);
    QFile key_file(key_path);
    if (!cert_file.open(QIODevice::ReadOnly) || !key_file.open(QIODevice::ReadOnly))
        return false;
    certificate = QSslCertificate(&cert_file, QSsl::Pem);
    key = QSslKey(&key_file, QSsl::Rsa, QSsl::Pem);
    return !certificate.isNull() && !key.isNull();
}

void FixtureServer::incomingConnection(qintptr descriptor)
{
    QTcpSocket* socket = nullptr;
    if (certificate_.isNull()) {
        socket = new QTcpSocket(this);
        socket->setSocketDescriptor(descriptor);
    } else {
        auto* secure = new QSslSocket(this);
        secure->setSocketDescriptor(descriptor);
        secure->setLocalCertificate(certificate_);
        secure->setPrivateKey(key_);
        connect(secure, &QSslSocket::sslErrors, secure, [secure]() { secure->abort(); });
        secure->startServerEncryption();
        socket = secure;
    }
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket]() { serve(socket); });
}

void FixtureServer::serve(QTcpSocket* socket)
{
    QByteArray request = socket->property("rx42_request").toByteArray() + socket->readAll();
    socket->setProperty("rx42_request", request);
    if (!request.contains("\r\n\r\n") || socket->property("rx42_answered").toBool())
        return;
    socket->setProperty("rx42_answered", true);
    const QString target = QString::fromLatin1(request.split(' ').value(1));
    const QString path = QUrl(target).path();
    requests_[path] += 1;
    const auto it = pages_.constFind(path);
    QByteArray answer;
    if (it == pages_.constEnd()) {
        answer = "HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found";
    } else {
        answer = "HTTP/1.1 200 OK\r\nContent-Type: " + it->content_type + "\r\nContent-Length: "
            + QByteArray::number(it->body.size()) + "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n" + it->body;
    }
    const int delay = it == pages_.constEnd() ? 0 : it->delay_ms;
    QPointer<QTcpSocket> guarded(socket);
    QTimer::singleShot(delay, this, [guarded, answer]() {
        if (!guarded)
            return;
        guarded->write(answer);
        guarded->disconnectFromHost();
    });
}

}  // namespace rx42::testing
