#pragma once

namespace vellum {

// Writes `value` into `field` and emits `changed` only when the value really differs, so
// observers hear of real changes only. Returns whether it changed.
template <typename Owner, typename T, typename Signal>
bool assignObserved(Owner* owner, T& field, const T& value, Signal changed) {
    if (field == value) {
        return false;
    }
    field = value;
    emit(owner->*changed)();
    return true;
}

} // namespace vellum
