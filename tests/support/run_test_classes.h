#pragma once

#include <QTest>

template <typename Test>
int run_test_class(int argc, char** argv)
{
    Test test;
    return QTest::qExec(&test, argc, argv);
}

// Runs several QtTest classes in one executable, one after the other; the result is non-zero when
// any of them failed. Command-line options (test function names, -v2, ...) go to each class.
template <typename... Tests>
int run_test_classes(int argc, char** argv)
{
    int status = 0;
    ((status |= run_test_class<Tests>(argc, argv)), ...);
    return status;
}
