// Navigation and page status: the address box, the navigation buttons, StatusBar1, the caption,
// the error page of a failed load and the certificate policy.

#include "main_window/velko_browser_frm.h"

#include "browser_runtime.h"
#include "common/cp1251.h"
#include "file_version.h"
#include "main_window/panel_status_bar.h"

#include <QComboBox>
#include <QPushButton>

namespace rx42 {

namespace {

constexpr int kErrAborted = -3;  // a load cancelled by a newer navigation or the stop button

}  // namespace

QString TVelkoBrowserFrm::caption()
{
    return QStringLiteral("rx42 -  ") + file_version_text();
}

QString TVelkoBrowserFrm::quoted_name(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString TVelkoBrowserFrm::error_page_html(const QString& failedUrl, const QString& errorText, int errorCode)
{
    // The address and the error text are shown as text: markup in them (a page can choose the
    // address of its frames) must not become part of the error page.
    const QString html = QStringLiteral("<html><body bgcolor=\"white\"><h2>Failed to load URL ") + failedUrl.toHtmlEscaped()
        + QStringLiteral(" with error ") + errorText.toHtmlEscaped() + QStringLiteral(" (") + QString::number(errorCode)
        + QStringLiteral(").</h2></body></html>");
    return through_cp1251(html);
}

void TVelkoBrowserFrm::show_status_text(const QString& text)
{
    if (!closing)
        ui.StatusBar1->set_panel_text(1, text);
}

// --- Buttons ----------------------------------------------------------------------------------

void TVelkoBrowserFrm::BackBtnClick()
{
    Chromium1.go_back();
}

void TVelkoBrowserFrm::ForwardBtnClick()
{
    Chromium1.go_forward();
}

void TVelkoBrowserFrm::ReloadBtnClick()
{
    Chromium1.reload();
}

void TVelkoBrowserFrm::StopBtnClick()
{
    Chromium1.stop_load();
}

void TVelkoBrowserFrm::GoBtnClick()
{
    // The address as typed: no trimming, no scheme added. The box holds single-byte text.
    Chromium1.load_url(through_cp1251(ui.cbbURLCbx->currentText()));
}

// --- Browser events -----------------------------------------------------------------------------

void TVelkoBrowserFrm::Chromium1LoadingStateChange(BrowserId browser, bool isLoading, bool canGoBack, bool canGoForward)
{
    if (!Chromium1.is_same_browser(browser) || closing)
        return;
    ui.BackBtn->setEnabled(canGoBack);
    ui.ForwardBtn->setEnabled(canGoForward);
    if (isLoading) {
        ui.StatusBar1->set_panel_text(0, QStringLiteral("Loading..."));
        ui.ReloadBtn->setEnabled(false);
        ui.StopBtn->setEnabled(true);
    } else {
        ui.StatusBar1->set_panel_text(0, QStringLiteral("Finished"));
        ui.ReloadBtn->setEnabled(true);
        ui.StopBtn->setEnabled(false);
    }
}

void TVelkoBrowserFrm::Chromium1LoadingProgressChange(BrowserId, double progress)
{
    // A whole percentage, no decimals: 0.5 shows 50, 1.0 shows 100.
    ui.StatusBar1->set_panel_text(0, QStringLiteral("Loading... ") + QString::number(qRound(progress * 100.0)) + QLatin1Char('%'));
}

void TVelkoBrowserFrm::Chromium1LoadEnd(BrowserId, const FrameInfo& frame, int)
{
    if (!frame.IsValid())
        return;
    if (frame.IsMain())
        ui.StatusBar1->set_panel_text(1, QStringLiteral("main frame loaded : ") + quoted_name(frame.name));
    else
        ui.StatusBar1->set_panel_text(1, QStringLiteral("frame loaded : ") + quoted_name(frame.name));
}

void TVelkoBrowserFrm::Chromium1LoadError(BrowserId, const FrameInfo& frame, int errorCode, const QString& errorText,
                                          const QString& failedUrl)
{
    if (errorCode == kErrAborted)
        return;
    Chromium1.load_string(error_page_html(failedUrl, errorText, errorCode), frame);
}

void TVelkoBrowserFrm::Chromium1TitleChange(BrowserId, const QString&)
{
    // The page's own title is never shown.
    setWindowTitle(caption());
}

void TVelkoBrowserFrm::Chromium1StatusMessage(BrowserId browser, const QString& value)
{
    if (Chromium1.is_same_browser(browser))
        show_status_text(through_cp1251(value));
}

bool TVelkoBrowserFrm::Chromium1CertificateError(BrowserId, int certError, const QString& requestUrl)
{
    // Written to the runtime's log only; the request is cancelled at once.
    runtime_.write_log(BrowserRuntime::LOGSEVERITY_INFO,
                       QStringLiteral("Certificate error code:") + QString::number(certError) + QStringLiteral(" - URL:") + requestUrl);
    return false;
}

}  // namespace rx42
