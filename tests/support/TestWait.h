#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>

// Runs the event loop until `condition` holds or `timeoutMs` pass; returns whether it held.
// (QTRY_* macros end a GoogleTest function silently on failure, so they are not used here.)
template <class Condition> bool waitUntil(Condition condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}
