// Frames of the browser component: names, sub-frame load ends and failures, frame lists, frame
// text. Qt WebEngine 6.4 has no frame API; the frame reporter (frame_reports.h) provides what is
// needed here.

#include "browser_component_p.h"

#include "browser_runtime.h"
#include "frame_reports.h"

#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QUrlQuery>
#include <QWebEngineScript>

#include <algorithm>

namespace rx42 {

namespace {

// How long a finished frame element waits for its document's report before its load counts as
// failed. The document reports when it is created, long before its element finishes loading;
// this only covers reports that travel a little slower than the element's.
constexpr int kLateReportMs = 250;

constexpr int kErrFailed = -2;

// Frame elements whose load is a network load, which can fail: the others (about:blank, srcdoc,
// data:, javascript:) never do.
bool is_network_load(const QString& src)
{
    const QString scheme = QUrl(src).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("file")
        || scheme == QLatin1String("ftp");
}

QString child_path(const QString& parent, const QString& index)
{
    return parent.isEmpty() ? index : parent + QLatin1Char('.') + index;
}

// Frame-tree order: "" < "0" < "0.0" < "0.1" < "1".
bool tree_order(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return a.isEmpty() && !b.isEmpty();
    const QStringList x = a.split(QLatin1Char('.'));
    const QStringList y = b.split(QLatin1Char('.'));
    for (qsizetype i = 0; i < qMin(x.size(), y.size()); ++i) {
        const int u = x.at(i).toInt();
        const int v = y.at(i).toInt();
        if (u != v)
            return u < v;
    }
    return x.size() < y.size();
}

}  // namespace

FrameInfo BrowserComponent::frame_info(const Browser& browser, const QString& path) const
{
    FrameInfo frame;
    frame.valid = true;
    frame.is_main = path.isEmpty();
    frame.browser = browser.id;
    frame.path = path;
    const auto it = browser.frames.find(path);
    if (it != browser.frames.end()) {
        frame.name = it->second.name;
        frame.url = it->second.url;
    } else if (path.isEmpty() && browser.page) {
        frame.url = browser.page->url().toString();
    }
    return frame;
}

void BrowserComponent::frame_report(BrowserId id, const QString& kind, const QUrlQuery& report)
{
    Browser* b = find(id);
    if (!b)
        return;
    const auto value = [&report](const char* key) {
        return report.queryItemValue(QLatin1String(key), QUrl::FullyDecoded);
    };
    const QString path = value("p");
    if (kind == QLatin1String("doc")) {
        if (path.isEmpty()) {
            // A new main document: the frames of the old one are gone.
            b->frames.clear();
        }
        b->frames[path] = Frame{value("n"), value("u")};
        if (!b->frame_ids.contains(path))
            b->frame_ids.insert(path, qint64(b->frame_ids.size()) + 1);
        if (value("u") != QLatin1String("about:blank"))
            ++b->documents[path];
        return;
    }
    if (kind == QLatin1String("load")) {
        b->frames[path] = Frame{value("n"), value("u")};
        // The main frame's load end comes from the runtime itself (loading_changed).
        if (path.isEmpty())
            return;
        const FrameInfo frame = frame_info(*b, path);
        post([this, id, frame]() {
            if (on_load_end)
                on_load_end(id, frame, 0);
        });
        return;
    }
    if (kind == QLatin1String("child")) {
        const QString src = value("s");
        if (value("d") == QLatin1String("1") || !is_network_load(src))
            return;
        check_sub_frame(id, child_path(path, value("i")), value("n"), src, false);
    }
}

// A frame element finished loading. If no document was reported for its frame since the last
// check, the runtime showed its error page there: the load failed.
void BrowserComponent::check_sub_frame(BrowserId id, const QString& path, const QString& name, const QString& src,
                                       bool late)
{
    Browser* b = find(id);
    if (!b)
        return;
    const quint64 seen = b->documents.value(path);
    if (seen > b->documents_checked.value(path)) {
        b->documents_checked[path] = seen;
        return;
    }
    if (!late) {
        QTimer::singleShot(kLateReportMs, this, [this, id, path, name, src]() { check_sub_frame(id, path, name, src, true); });
        return;
    }
    b->frames[path] = Frame{name, src};
    if (!b->frame_ids.contains(path))
        b->frame_ids.insert(path, qint64(b->frame_ids.size()) + 1);
    const FrameInfo frame = frame_info(*b, path);
    post([this, id, frame, src]() {
        if (on_load_error)
            on_load_error(id, frame, kErrFailed, QStringLiteral("ERR_FAILED"), src);
    });
}

int BrowserComponent::frame_count() const
{
    const Browser* b = current();
    return b ? int(b->frames.size()) : 0;
}

bool BrowserComponent::frame_names(QStringList& names) const
{
    const Browser* b = current();
    if (!b)
        return false;
    QStringList paths;
    for (const auto& [path, frame] : b->frames)
        paths << path;
    std::sort(paths.begin(), paths.end(), tree_order);
    names.clear();
    for (const QString& path : paths)
        names << b->frames.at(path).name;
    return true;
}

bool BrowserComponent::frame_identifiers(int expected, QVector<qint64>& identifiers) const
{
    const Browser* b = current();
    if (!b || expected <= 0)
        return false;
    QStringList paths;
    for (const auto& [path, frame] : b->frames)
        paths << path;
    std::sort(paths.begin(), paths.end(), tree_order);
    identifiers.clear();
    for (const QString& path : paths) {
        if (identifiers.size() >= expected)
            break;
        identifiers << b->frame_ids.value(path);
    }
    return true;
}

void BrowserComponent::retrieve_html(const QString& frame_name)
{
    retrieve(frame_name, true);
}

void BrowserComponent::retrieve_text(const QString& frame_name)
{
    retrieve(frame_name, false);
}

void BrowserComponent::retrieve(const QString& frame_name, bool html)
{
    Browser* b = current();
    if (!initialized() || !b->page)
        return;
    const auto deliver = [this](const QString& text) {
        post([this, text]() {
            if (on_text_result_available)
                on_text_result_available(text);
        });
    };
    QPointer<BrowserComponent> self(this);
    if (frame_name.isEmpty()) {
        const auto result = [self, deliver](const QString& text) {
            if (self)
                deliver(text);
        };
        if (html)
            b->page->toHtml(result);
        else
            b->page->toPlainText(result);
        return;
    }
    // A named sub-frame: readable from the main frame when it shares its origin.
    static const QString script = QStringLiteral(
        "(function (name, html) {"
        "  function find(w) {"
        "    for (var i = 0; i < w.frames.length; i++) {"
        "      var f = w.frames[i];"
        "      try { if (f.name === name) return f; } catch (e) {}"
        "      var inner = find(f); if (inner) return inner;"
        "    }"
        "    return null;"
        "  }"
        "  var f = find(window);"
        "  if (!f) return null;"
        "  try { return html ? f.document.documentElement.outerHTML : f.document.body.innerText; }"
        "  catch (e) { return null; }"
        "})(%1, %2)");
    b->page->runJavaScript(script.arg(js_literal(frame_name), html ? QStringLiteral("true") : QStringLiteral("false")),
                           FrameReportHandler::kWorld, [self, deliver](const QVariant& value) {
                               if (self && value.typeId() == QMetaType::QString)
                                   deliver(value.toString());
                           });
}

}  // namespace rx42
