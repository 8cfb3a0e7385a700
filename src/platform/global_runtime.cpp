#include "global_runtime.h"

namespace rx42 {

BrowserRuntime* GlobalCEFApp = nullptr;

void create_runtime(Dialogs* dialogs)
{
    if (GlobalCEFApp)
        return;
    GlobalCEFApp = new BrowserRuntime(dialogs);
    GlobalCEFApp->set_log_file(QStringLiteral("debug.log"));
    GlobalCEFApp->set_log_severity(BrowserRuntime::LOGSEVERITY_INFO);
    GlobalCEFApp->set_cache(QStringLiteral("cache"));
    GlobalCEFApp->set_enable_print_preview(true);
}

void destroy_runtime()
{
    delete GlobalCEFApp;
    GlobalCEFApp = nullptr;
}

}  // namespace rx42
