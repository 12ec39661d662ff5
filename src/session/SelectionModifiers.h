#pragma once

namespace vellum {

// The modifier keys held during a row click.
struct SelectionModifiers {
    bool command = false;
    bool shift = false;

    friend bool operator==(const SelectionModifiers&, const SelectionModifiers&) = default;
};

} // namespace vellum
