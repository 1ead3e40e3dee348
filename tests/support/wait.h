// Waiting for the event loop in GoogleTest tests. QTRY_COMPARE and friends
// report a timeout to QTest, which GoogleTest never hears of: the test just
// returns and passes. Wait with this and assert on the result instead.
#pragma once

#include <QDeadlineTimer>
#include <QTest>

/// Runs the event loop until \a done() is true or \a ms have passed;
/// returns done()'s last answer.
template <class Done>
bool WaitFor(Done done, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return done();
        QTest::qWait(10);
    }
    return true;
}
