#include "model/OperationKind.h"

#include <array>

namespace vellum {

namespace {

struct KindText {
    OperationKind kind;
    const char* raw;
    const char* label;
};

constexpr std::array<KindText, 13> kindTexts = {{
    {OperationKind::idle, "idle", "Idle"},
    {OperationKind::detecting, "detecting", "Detecting…"},
    {OperationKind::readingDirectory, "readingDirectory", "Reading directory…"},
    {OperationKind::readingD64, "readingD64", "Saving…"},
    {OperationKind::writingD64, "writingD64", "Writing…"},
    {OperationKind::resetting, "resetting", "Resetting…"},
    {OperationKind::formatting, "formatting", "Formatting…"},
    {OperationKind::copyingFiles, "copyingFiles", "Copying…"},
    {OperationKind::deleting, "deleting", "Deleting…"},
    {OperationKind::renaming, "renaming", "Renaming…"},
    {OperationKind::validating, "validating", "Validating…"},
    {OperationKind::initializing, "initializing", "Initializing…"},
    {OperationKind::converting, "converting", "Converting…"},
}};

const KindText& textsOf(OperationKind kind) {
    return kindTexts[static_cast<size_t>(kind)];
}

} // namespace

QString rawValue(OperationKind kind) {
    return QString::fromUtf8(textsOf(kind).raw);
}

std::optional<OperationKind> operationKindFromRaw(const QString& raw) {
    for (const KindText& entry : kindTexts) {
        if (raw == QLatin1StringView(entry.raw)) {
            return entry.kind;
        }
    }
    return std::nullopt;
}

QString label(OperationKind kind) {
    return QString::fromUtf8(textsOf(kind).label);
}

} // namespace vellum
