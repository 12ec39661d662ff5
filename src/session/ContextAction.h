#pragma once

#include <QString>
#include <functional>

namespace vellum {

// One line of a context menu, built from plain data so the session decides what a menu
// holds and the views only draw it.
struct ContextAction {
    QString title;
    bool enabled = true;
    bool isDestructive = false;
    bool isSeparator = false;
    std::function<void()> action;

    static ContextAction separator() { return ContextAction{{}, false, false, true, {}}; }

    // The callback cannot be compared; two lines are equal when they look the same.
    friend bool operator==(const ContextAction& a, const ContextAction& b) {
        return a.title == b.title && a.enabled == b.enabled && a.isDestructive == b.isDestructive &&
               a.isSeparator == b.isSeparator;
    }
};

} // namespace vellum
