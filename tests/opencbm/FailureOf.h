#pragma once

#include "WaitForTask.h"
#include "model/OpenCBMError.h"

#include <gtest/gtest.h>
#include <utility>

namespace vellum::testing {

// The OpenCBMError that `call` throws; a test failure when it throws none.
template <typename Call> OpenCBMError failureOf(Call&& call) {
    try {
        std::forward<Call>(call)();
    } catch (const OpenCBMError& error) {
        return error;
    }
    ADD_FAILURE() << "no failure";
    return OpenCBMError::parseError("none");
}

// The OpenCBMError that the task ends with.
template <typename T> OpenCBMError failureOf(QCoro::Task<T>&& task) {
    return failureOf([&task] { waitForTask(std::move(task)); });
}

} // namespace vellum::testing
