#include "session/FloppyNameRules.h"

#include "model/TextUtil.h"

#include <QCoreApplication>

namespace vellum {

namespace {

struct FloppyNameRules {
    Q_DECLARE_TR_FUNCTIONS(FloppyNameRules)
};

} // namespace

qsizetype characterCount(const QString& text) {
    return text.toUcs4().size();
}

QString firstCharacters(const QString& text, qsizetype count) {
    const QList<uint> codePoints = text.toUcs4();
    QString first;
    for (qsizetype i = 0; i < codePoints.size() && i < count; ++i) {
        const char32_t codePoint = codePoints.at(i);
        first += QString::fromUcs4(&codePoint, 1);
    }
    return first;
}

std::optional<QString> validateCBMName(const QString& name) {
    if (name.isEmpty()) {
        return FloppyNameRules::tr("Enter a name.");
    }
    if (characterCount(name) > 16) {
        return FloppyNameRules::tr("CBM names must be 16 characters or fewer.");
    }
    for (const QChar reserved : QStringLiteral(",=:*?")) {
        if (name.contains(reserved)) {
            return FloppyNameRules::tr("The name cannot contain comma, equals, colon, * or ?.");
        }
    }
    return std::nullopt;
}

std::optional<QString> validateDiskFields(const QString& name, const QString& id) {
    const QString trimmedName = name.trimmed();
    const QString trimmedID = id.trimmed();
    if (trimmedName.isEmpty()) {
        return FloppyNameRules::tr("Enter a disk name.");
    }
    if (characterCount(trimmedName) > 16) {
        return FloppyNameRules::tr("Disk name must be 16 characters or fewer.");
    }
    if (trimmedName.contains(QLatin1Char(','))) {
        return FloppyNameRules::tr("Disk name cannot contain a comma.");
    }
    if (characterCount(trimmedID) != 2) {
        return FloppyNameRules::tr("Disk ID must be exactly 2 characters.");
    }
    return std::nullopt;
}

} // namespace vellum
