#pragma once

#include <QByteArray>
#include <QHash>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTcpServer>
#include <QUrl>

namespace rx42::testing {

// A small web server on loopback for browser tests: serves the pages a test sets, over HTTP, or
// over HTTPS with the certificate a test gives (self-signed: the browser rejects it).
class FixtureServer final : public QTcpServer {
public:
    explicit FixtureServer(QObject* parent = nullptr);

    // Listens on 127.0.0.1, any free port: HTTP, or HTTPS with a certificate and key.
    bool start();
    bool start(const QSslCertificate& certificate, const QSslKey& key);
    // Listens over HTTPS with a self-signed certificate made for it.
    enum class SecureStart { started, no_certificate, not_listening };
    SecureStart start_self_signed();
    QUrl url(const QString& path) const;

    // A page: its body, content type and how long the answer is held back.
    void set_page(const QString& path, const QByteArray& body, const QByteArray& content_type = "text/html; charset=utf-8",
                  int delay_ms = 0);
    int requests(const QString& path) const { return requests_.value(path); }

    // A loopback port on which nobody listens: loads from it are refused.
    static quint16 refused_port();

    // A self-signed certificate for 127.0.0.1 made with the openssl command; false when it
    // cannot be made.
    static bool make_certificate(const QString& folder, QSslCertificate& certificate, QSslKey& key);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    struct Page {
        QByteArray body;
        QByteArray content_type;
        int delay_ms = 0;
    };
    void serve(class QTcpSocket* socket);

    QHash<QString, Page> pages_;
    QHash<QString, int> requests_;
    QSslCertificate certificate_;
    QSslKey key_;
};

}  // namespace rx42::testing
