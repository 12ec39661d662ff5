#pragma once

#include "session/VellumViewModel.h"

#include <QPointer>

namespace vellum {

// Releases the operation slot of one operation on every way out of it. Call release()
// where the order of the closing steps matters; the destructor covers everything else.
class OperationSlotGuard {
public:
    OperationSlotGuard(VellumViewModel& model, qint64 number) : model(&model), number(number) {}
    ~OperationSlotGuard() { release(); }
    OperationSlotGuard(const OperationSlotGuard&) = delete;
    OperationSlotGuard& operator=(const OperationSlotGuard&) = delete;

    void release() {
        if (model) {
            model->endOperation(number);
            model = nullptr;
        }
    }

private:
    QPointer<VellumViewModel> model;
    qint64 number;
};

} // namespace vellum
