// QtTest's QTRY_ macros tell QtTest when a condition never comes true, and a
// Google Test run never hears of it: the test returned early and passed. The
// build puts this header before every Qt test source, so that they are
// Google Test expectations there.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTest>
#include <gtest/gtest.h>

#undef QTRY_VERIFY
#undef QTRY_VERIFY_WITH_TIMEOUT
#undef QTRY_COMPARE
#undef QTRY_COMPARE_WITH_TIMEOUT

#define QTRY_VERIFY_WITH_TIMEOUT(expr, timeout)                                                                \
    EXPECT_TRUE(QTest::qWaitFor([&] { return bool(expr); }, timeout)) << "never came true: " #expr

#define QTRY_VERIFY(expr) QTRY_VERIFY_WITH_TIMEOUT(expr, 5000)

#define QTRY_COMPARE_WITH_TIMEOUT(actual, expected, timeout)                                                   \
    do {                                                                                                       \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); }, timeout);                                     \
        EXPECT_EQ(actual, expected) << "after waiting " << (timeout) << " ms";                                 \
    } while (false)

#define QTRY_COMPARE(actual, expected) QTRY_COMPARE_WITH_TIMEOUT(actual, expected, 5000)
