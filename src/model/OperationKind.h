#pragma once

#include <QHashFunctions>
#include <QString>
#include <optional>

namespace vellum {

// The long-running operation that holds the session's single operation slot.
enum class OperationKind {
    idle,
    detecting,
    readingDirectory,
    readingD64,
    writingD64,
    resetting,
    formatting,
    copyingFiles,
    deleting,
    renaming,
    validating,
    initializing,
    converting,
};

QString rawValue(OperationKind kind);
std::optional<OperationKind> operationKindFromRaw(const QString& raw);

// The status word shown while the operation runs ("Saving…" for readingD64).
QString label(OperationKind kind);

inline size_t qHash(OperationKind kind, size_t seed = 0) noexcept {
    return ::qHash(static_cast<int>(kind), seed);
}

} // namespace vellum
