#include "session/Confirmations.h"

#include "session/ObservedProperty.h"

namespace vellum {

void Confirmations::setShowsWriteConfirmation(bool value) {
    assignObserved(this, m_showsWriteConfirmation, value,
                   &Confirmations::showsWriteConfirmationChanged);
}

void Confirmations::setPendingWriteURL(const std::optional<QUrl>& value) {
    assignObserved(this, m_pendingWriteURL, value, &Confirmations::pendingWriteURLChanged);
}

void Confirmations::setShowsScratchConfirmation(bool value) {
    assignObserved(this, m_showsScratchConfirmation, value,
                   &Confirmations::showsScratchConfirmationChanged);
}

void Confirmations::setShowsLocalDeleteConfirmation(bool value) {
    assignObserved(this, m_showsLocalDeleteConfirmation, value,
                   &Confirmations::showsLocalDeleteConfirmationChanged);
}

void Confirmations::setShowsPRGConvertConfirmation(bool value) {
    assignObserved(this, m_showsPRGConvertConfirmation, value,
                   &Confirmations::showsPRGConvertConfirmationChanged);
}

void Confirmations::setShowsImageCopyChoice(bool value) {
    assignObserved(this, m_showsImageCopyChoice, value,
                   &Confirmations::showsImageCopyChoiceChanged);
}

void Confirmations::setPendingCopyURLs(const QList<QUrl>& value) {
    assignObserved(this, m_pendingCopyURLs, value, &Confirmations::pendingCopyURLsChanged);
}

} // namespace vellum
