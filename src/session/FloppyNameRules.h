#pragma once

#include <QString>
#include <optional>

namespace vellum {

// Names and IDs on a Commodore disk count characters, so a character outside the BMP
// counts once however Qt stores it.
qsizetype characterCount(const QString& text);
QString firstCharacters(const QString& text, qsizetype count);

// The rule message for a floppy file name typed in the rename prompt, or nothing.
std::optional<QString> validateCBMName(const QString& name);

// The rule message for a disk name and ID (format and new-image sheets), checked on the
// trimmed texts, or nothing.
std::optional<QString> validateDiskFields(const QString& name, const QString& id);

} // namespace vellum
