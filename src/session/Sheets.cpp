#include "session/Sheets.h"

#include "session/ObservedProperty.h"

namespace vellum {

void Sheets::setShowsFormatSheet(bool value) {
    assignObserved(this, m_showsFormatSheet, value, &Sheets::showsFormatSheetChanged);
}

void Sheets::setFormatName(const QString& value) {
    assignObserved(this, m_formatName, value, &Sheets::formatNameChanged);
}

void Sheets::setFormatID(const QString& value) {
    assignObserved(this, m_formatID, value, &Sheets::formatIDChanged);
}

void Sheets::setFormatExtended(bool value) {
    assignObserved(this, m_formatExtended, value, &Sheets::formatExtendedChanged);
}

void Sheets::setFormatFieldError(const std::optional<QString>& value) {
    assignObserved(this, m_formatFieldError, value, &Sheets::formatFieldErrorChanged);
}

void Sheets::setShowsNewDiskSheet(bool value) {
    assignObserved(this, m_showsNewDiskSheet, value, &Sheets::showsNewDiskSheetChanged);
}

void Sheets::setNewDiskName(const QString& value) {
    assignObserved(this, m_newDiskName, value, &Sheets::newDiskNameChanged);
}

void Sheets::setNewDiskID(const QString& value) {
    assignObserved(this, m_newDiskID, value, &Sheets::newDiskIDChanged);
}

void Sheets::setNewDiskFormat(DiskImageFormat value) {
    assignObserved(this, m_newDiskFormat, value, &Sheets::newDiskFormatChanged);
}

void Sheets::setNewDiskFieldError(const std::optional<QString>& value) {
    assignObserved(this, m_newDiskFieldError, value, &Sheets::newDiskFieldErrorChanged);
}

void Sheets::setNamePrompt(const std::optional<NamePromptKind>& value) {
    assignObserved(this, m_namePrompt, value, &Sheets::namePromptChanged);
}

void Sheets::setNameField(const QString& value) {
    assignObserved(this, m_nameField, value, &Sheets::nameFieldChanged);
}

void Sheets::setNameFieldError(const std::optional<QString>& value) {
    assignObserved(this, m_nameFieldError, value, &Sheets::nameFieldErrorChanged);
}

} // namespace vellum
