#pragma once

#include "browser_runtime.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <type_traits>

namespace rx42::testing {

// The runtime of a browser test process, started once by run_browser_test_main.
inline BrowserRuntime*& test_runtime()
{
    static BrowserRuntime* runtime = nullptr;
    return runtime;
}

// The entry of a browser test. The test executable is also every sub-process of the browser
// runtime, like the program itself, so it takes that role first. Then it starts the runtime with
// its log and cache in a temporary folder (`before_start` may prepare the environment first) and
// runs `tests`.
inline int run_browser_test_main(int argc, char** argv, const std::function<int(int, char**)>& tests,
                                 const std::function<void()>& before_start = {})
{
    if (BrowserRuntime::is_sub_process(argc, argv))
        return BrowserRuntime::run_sub_process(argc, argv);
    // Removed last, once the runtime has let go of its files.
    QTemporaryDir folder;
    QApplication app(argc, argv);
    BrowserRuntime runtime;
    runtime.set_cache(folder.filePath(QStringLiteral("cache")));
    runtime.set_log_file(folder.filePath(QStringLiteral("debug.log")));
    runtime.set_log_severity(BrowserRuntime::LOGSEVERITY_INFO);
    if (before_start)
        before_start();
    if (!runtime.start_main_process())
        return 1;
    test_runtime() = &runtime;
    const int status = tests(argc, argv);
    test_runtime() = nullptr;
    return status;
}

template <typename... Tests>
int run_tests(int argc, char** argv)
{
    int status = 0;
    const auto run = [&](auto* tag) {
        using Test = std::remove_pointer_t<decltype(tag)>;
        Test test;
        status |= QTest::qExec(&test, argc, argv);
    };
    (run(static_cast<Tests*>(nullptr)), ...);
    return status;
}

}  // namespace rx42::testing
