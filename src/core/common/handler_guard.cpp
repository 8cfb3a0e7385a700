#include "handler_guard.h"

#include <cstdio>

namespace rx42 {

namespace {
ErrorPresenter& presenter()
{
    static ErrorPresenter instance;
    return instance;
}
}  // namespace

void set_error_presenter(ErrorPresenter p)
{
    presenter() = std::move(p);
}

void present_error(const QString& text)
{
    if (presenter())
        presenter()(text);
    else
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

void run_handler(const std::function<void()>& body)
{
    try {
        body();
    } catch (const HandlerError& e) {
        present_error(e.text());
    } catch (const std::exception& e) {
        present_error(QString::fromUtf8(e.what()));
    } catch (...) {
        present_error(QStringLiteral("Unknown error"));
    }
}

}  // namespace rx42
