#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <coroutine>
#include <exception>
#include <memory>
#include <optional>
#include <utility>

namespace vellum {

// A one-shot completion that one coroutine awaits. The first `resume` or `fail` completes it;
// every later call does nothing, so a normal end, a failed start and the stop timers may
// all try to finish a run. The waiting coroutine is resumed from the event loop, never from
// inside the caller of `resume`, so a process signal handler is left before the awaiting
// code goes on (and may delete that process).
template <typename T> class ResumeOnce {
    struct State {
        bool completed = false;
        std::optional<T> value;
        std::exception_ptr error;
        std::coroutine_handle<> waiter;
    };

public:
    ResumeOnce() : state(std::make_shared<State>()) {}

    bool resume(T value) {
        if (state->completed) {
            return false;
        }
        state->value.emplace(std::move(value));
        complete();
        return true;
    }

    bool fail(std::exception_ptr error) {
        if (state->completed) {
            return false;
        }
        state->error = std::move(error);
        complete();
        return true;
    }

    bool isCompleted() const { return state->completed; }

    struct Awaiter {
        std::shared_ptr<State> state;
        bool await_ready() const noexcept { return state->completed; }
        void await_suspend(std::coroutine_handle<> handle) noexcept { state->waiter = handle; }
        T await_resume() {
            if (state->error) {
                std::rethrow_exception(state->error);
            }
            return std::move(*state->value);
        }
    };
    Awaiter operator co_await() const { return Awaiter{state}; }

    friend bool operator==(const ResumeOnce& a, const ResumeOnce& b) { return a.state == b.state; }

private:
    void complete() {
        state->completed = true;
        const auto handle = std::exchange(state->waiter, {});
        if (!handle) {
            return;
        }
        if (auto* application = QCoreApplication::instance()) {
            QMetaObject::invokeMethod(
                application, [handle] { handle.resume(); }, Qt::QueuedConnection);
        } else {
            handle.resume();
        }
    }

    std::shared_ptr<State> state;
};

} // namespace vellum
