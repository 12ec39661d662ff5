#pragma once

#include <QCoreApplication>
#include <QCoroTask>
#include <QElapsedTimer>
#include <QThread>
#include <exception>
#include <functional>
#include <optional>
#include <type_traits>

namespace vellum::testing {

// QCoro::waitFor of QCoro 0.8 never returns when the task throws (the exception stays in
// its helper coroutine and the nested loop runs on), so tests wait through this wrapper,
// which hands the exception back to the caller.
namespace detail {

template <typename T>
QCoro::Task<> settle(QCoro::Task<T> task, std::optional<T>& value, std::exception_ptr& error) {
    try {
        value.emplace(co_await std::move(task));
    } catch (...) {
        error = std::current_exception();
    }
}

inline QCoro::Task<> settle(QCoro::Task<> task, std::exception_ptr& error) {
    try {
        co_await std::move(task);
    } catch (...) {
        error = std::current_exception();
    }
}

} // namespace detail

template <typename T> T waitForTask(QCoro::Task<T>&& task) {
    std::exception_ptr error;
    if constexpr (std::is_void_v<T>) {
        QCoro::waitFor(detail::settle(std::move(task), error));
        if (error) {
            std::rethrow_exception(error);
        }
    } else {
        std::optional<T> value;
        QCoro::waitFor(detail::settle(std::move(task), value, error));
        if (error) {
            std::rethrow_exception(error);
        }
        return std::move(*value);
    }
}

// Runs the event loop until `done` holds or the timeout passes; returns `done()`.
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return done();
}

} // namespace vellum::testing
