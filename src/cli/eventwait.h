#pragma once

#include <QEventLoop>
#include <functional>
#include <optional>

// Runs an asynchronous operation to its end on a local event loop and returns
// what its callback was given.
template <typename Value, typename Start>
Value waitFor(Start start)
{
    QEventLoop loop;
    std::optional<Value> value;
    start([&](const Value &v) {
        value = v;
        loop.quit();
    });
    if (!value)
        loop.exec();
    return *value;
}
