#include "frame_reports.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonValue>
#include <QRandomGenerator>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace rx42 {

namespace {

// The smallest transparent GIF: every report is answered with an image, so the request ends
// quietly (an error would be logged to the page's console).
const QByteArray& empty_gif()
{
    static const QByteArray gif = QByteArray::fromBase64(
        "R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7");
    return gif;
}

// Keeps pages served to sub-frames (error pages) for a while: a reload of such a frame still
// finds its page.
constexpr int kPagesKept = 32;

QString random_key()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex());
}

}  // namespace

QString js_literal(const QString& text)
{
    // A JSON string is a valid JavaScript string literal, except for two line terminators.
    const QByteArray json = QJsonDocument::fromVariant(QVariantList{text}).toJson(QJsonDocument::Compact);
    QString literal = QString::fromUtf8(json.mid(1, json.size() - 2));
    literal.replace(QChar(0x2028), QLatin1String("\\u2028")).replace(QChar(0x2029), QLatin1String("\\u2029"));
    return literal;
}

void FrameReportHandler::register_scheme()
{
    if (!QWebEngineUrlScheme::schemeByName(kScheme).name().isEmpty())
        return;
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Secure: no mixed-content blocking on https pages. Policy ignored: the page's content
    // security policy neither blocks the reports nor the pages loaded into its frames.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::ContentSecurityPolicyIgnored);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QString FrameReportHandler::add_receiver(Receiver receiver)
{
    QString token;
    do
        token = random_key();
    while (receivers_.contains(token));
    receivers_.insert(token, std::move(receiver));
    return token;
}

void FrameReportHandler::remove_receiver(const QString& token)
{
    receivers_.remove(token);
}

QUrl FrameReportHandler::add_page(const QString& html)
{
    QString key;
    do
        key = random_key();
    while (pages_.contains(key));
    pages_.insert(key, html.toUtf8());
    page_order_.append(key);
    while (page_order_.size() > kPagesKept)
        pages_.remove(page_order_.takeFirst());
    return QUrl(QStringLiteral("%1:page?k=%2").arg(QLatin1String(kScheme), key));
}

void FrameReportHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    const QUrl url = job->requestUrl();
    const QUrlQuery query(url);
    if (url.path() == QLatin1String("page")) {
        const QByteArray html = pages_.value(query.queryItemValue(QStringLiteral("k")));
        if (html.isNull()) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto* body = new QBuffer(job);
        body->setData(html);
        job->reply("text/html;charset=utf-8", body);
        return;
    }
    auto* body = new QBuffer(job);
    body->setData(empty_gif());
    job->reply("image/gif", body);
    if (url.path() != QLatin1String("report"))
        return;
    // The receiver may remove itself (a browser closing): call a copy.
    const Receiver receiver = receivers_.value(query.queryItemValue(QStringLiteral("t")));
    if (receiver)
        receiver(query.queryItemValue(QStringLiteral("k")), query);
}

QString frame_reporter_script(const QString& token)
{
    // Runs at document creation in every frame, in the reporter's own world.
    static const QString source = QStringLiteral(R"JS(
(function () {
  'use strict';
  var token = %1;
  var pending = [];
  function framePath() {
    var path = [];
    var w = window;
    while (w !== w.parent) {
      var parent = w.parent, index = -1;
      for (var i = 0; i < parent.frames.length; i++) {
        if (parent.frames[i] === w) { index = i; break; }
      }
      path.unshift(index);
      w = parent;
    }
    return path.join('.');
  }
  function report(kind, fields) {
    var query = 't=' + token + '&k=' + kind + '&p=' + framePath();
    for (var key in fields)
      query += '&' + key + '=' + encodeURIComponent(fields[key]);
    var image = new Image();
    pending.push(image);
    image.onload = image.onerror = function () { pending.splice(pending.indexOf(image), 1); };
    image.src = 'rx42frame:report?' + query;
  }
  report('doc', { n: window.name, u: document.URL });
  window.addEventListener('load', function () {
    report('load', { n: window.name, u: document.URL });
  });
  document.addEventListener('load', function (event) {
    var element = event.target;
    if (!element || (element.tagName !== 'IFRAME' && element.tagName !== 'FRAME'))
      return;
    for (var i = 0; i < window.frames.length; i++) {
      if (window.frames[i] === element.contentWindow) {
        report('child', { i: i, n: element.name || '', s: element.src || '',
                          d: element.hasAttribute('srcdoc') ? 1 : 0 });
        return;
      }
    }
  }, true);
})();
)JS");
    return source.arg(js_literal(token));
}

QString navigate_frame_script(const QString& path, const QUrl& url)
{
    static const QString source = QStringLiteral(R"JS(
(function (path, url) {
  var w = window;
  var steps = path === '' ? [] : path.split('.');
  for (var i = 0; i < steps.length; i++) {
    w = w.frames[Number(steps[i])];
    if (!w) return;
  }
  w.location.replace(url);
})(%1, %2);
)JS");
    return source.arg(js_literal(path), js_literal(url.toString(QUrl::FullyEncoded)));
}

}  // namespace rx42
