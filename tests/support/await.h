#pragma once

#include "account/backenderror.h"

#include <QTest>
#include <functional>
#include <optional>

// Runs an asynchronous operation and waits (spinning the event loop) for its
// callback; a transport error when no answer came within the time.
template <typename T>
Result<T> await(const std::function<void(const std::function<void(const Result<T> &)> &)> &start, int timeoutMs = 60000)
{
    std::optional<Result<T>> result;
    start([&result](const Result<T> &r) { result = r; });
    if (!QTest::qWaitFor([&result] { return result.has_value(); }, timeoutMs))
        return BackendError{BackendError::Kind::transport, QStringLiteral("no answer within the test's time"), 0, {}};
    return *result;
}
