#pragma once

#include <QObject>
#include <coroutine>

namespace vellum {

// Awaiting it lets Stop, the progress bar and the views run between the files of a loop
// that has no tool to wait for: the coroutine goes on from a queued call on `context`, on
// the next turn of the event loop (never while `context` is gone).
class NextEventLoopTurn {
public:
    explicit NextEventLoopTurn(QObject* context) : context(context) {}

    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> coroutine) const {
        // A queued call, not a timer: nothing is left to be destroyed under its own signal
        // when the coroutine finishes.
        QMetaObject::invokeMethod(
            context, [coroutine] { coroutine.resume(); }, Qt::QueuedConnection);
    }
    void await_resume() const noexcept {}

private:
    QObject* context;
};

} // namespace vellum
