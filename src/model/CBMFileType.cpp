#include "model/CBMFileType.h"

namespace vellum {

QString rawValue(CBMFileType type) {
    switch (type) {
    case CBMFileType::prg:
        return QStringLiteral("PRG");
    case CBMFileType::seq:
        return QStringLiteral("SEQ");
    case CBMFileType::usr:
        return QStringLiteral("USR");
    case CBMFileType::rel:
        return QStringLiteral("REL");
    case CBMFileType::del:
        return QStringLiteral("DEL");
    case CBMFileType::other:
        return QStringLiteral("other");
    }
    return QStringLiteral("other");
}

std::optional<CBMFileType> cbmFileTypeFromRaw(const QString& raw) {
    for (CBMFileType type : allCBMFileTypes) {
        if (rawValue(type) == raw) {
            return type;
        }
    }
    return std::nullopt;
}

QString fileExtension(CBMFileType type) {
    switch (type) {
    case CBMFileType::seq:
        return QStringLiteral("seq");
    case CBMFileType::usr:
        return QStringLiteral("usr");
    case CBMFileType::rel:
        return QStringLiteral("rel");
    default:
        return QStringLiteral("prg");
    }
}

} // namespace vellum
