#pragma once

#include <QHash>
#include <QStringList>
#include <QString>
#include <QUrl>
#include <QUrlQuery>
#include <QWebEngineUrlSchemeHandler>

#include <functional>

namespace rx42 {

// Qt WebEngine 6.4 has no frame API: no frame names, no load events of sub-frames, no way to load
// a page into a sub-frame. The browser component makes up for that in this one place.
//
// A script (frame_reporter_script) runs in every frame of a browser, in a world of its own, so
// the page neither sees it nor is disturbed by it. It reports what the component needs by
// requesting an address of the scheme "rx42frame", which this handler answers (never through
// the page's console, which is the robot's answer channel):
//   doc    a document was created in the frame: its position in the frame tree, name and URL;
//   load   the frame's document finished loading;
//   child  a frame element of the document finished loading (also when its load failed).
// The scheme ignores the pages' content security policies, so the reports get through on every
// site. Each browser's script carries a random token; reports without a known token are
// answered and dropped.
//
// The same scheme serves the pages the component loads into sub-frames ("page"): a "data:"
// address would be refused there by the page's content security policy.
class FrameReportHandler final : public QWebEngineUrlSchemeHandler {
public:
    static constexpr const char* kScheme = "rx42frame";
    // The script world of the frame reporter and of the component's own scripts.
    static constexpr quint32 kWorld = 101;

    // Registers the scheme; must run before the first profile is created.
    static void register_scheme();

    using Receiver = std::function<void(const QString& kind, const QUrlQuery& report)>;

    // Adds a receiver of reports; returns its token.
    QString add_receiver(Receiver receiver);
    void remove_receiver(const QString& token);

    // Keeps `html` to be served to a frame; returns its address (unguessable).
    QUrl add_page(const QString& html);

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    QHash<QString, Receiver> receivers_;
    QHash<QString, QByteArray> pages_;
    QStringList page_order_;
};

// A text as a JavaScript string literal.
QString js_literal(const QString& text);

// The reporter script of one browser.
QString frame_reporter_script(const QString& token);

// A script for the reporter's world of the main frame that navigates the frame at `path` (the
// reported position, "" for the main frame, "0.1" for the second child of the first child) to
// `url`, replacing its current history entry. Does nothing when no frame is there.
QString navigate_frame_script(const QString& path, const QUrl& url);

}  // namespace rx42
