#pragma once

// Internals of BrowserComponent shared by its source files.

#include "browser_component.h"

#include <QWebEnginePage>
#include <QWebEngineView>

namespace rx42 {

struct BrowserComponent::Frame {
    QString name;
    QString url;
};

struct BrowserComponent::Browser {
    BrowserId id = 0;
    QPointer<QWebEngineView> view;
    QPointer<QWebEnginePage> page;         // child of the view
    QPointer<QWidget> popup_window;        // a pop-up's own top-level window
    QString token;                         // of its frame reports
    bool popup = false;
    bool closing = false;

    // Frames as reported, by position; the main frame is "".
    std::map<QString, Frame> frames;
    // Identifiers given to frame positions.
    QHash<QString, qint64> frame_ids;
    // Documents (other than the initial empty one) reported per position, and how many of them
    // the check of a finished frame element has seen.
    QHash<QString, quint64> documents;
    QHash<QString, quint64> documents_checked;
};

// The page of every browser: hands console messages and pop-up requests to the component.
class BrowserComponent::WebPage final : public QWebEnginePage {
public:
    WebPage(BrowserComponent& owner, QWebEngineProfile* profile, QObject* parent)
        : QWebEnginePage(profile, parent)
        , owner_(owner)
    {
    }
    BrowserId id = 0;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                  const QString& source) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    BrowserComponent& owner_;
};

// The view of every browser: its context menu carries the host's items.
class BrowserComponent::WebView final : public QWebEngineView {
public:
    WebView(BrowserComponent& owner, QWidget* parent)
        : QWebEngineView(parent)
        , owner_(owner)
    {
    }
    BrowserId id = 0;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    BrowserComponent& owner_;
};

}  // namespace rx42
