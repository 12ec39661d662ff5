#include "CommandSupport.h"

#include "images/ComputerPaths.h"
#include "model/TextUtil.h"

#include <QFileInfo>

namespace vellum::disk {

QUrl fileURL(const QString& path) {
    return QUrl::fromLocalFile(path);
}

bool isTape(const QString& path) {
    return QFileInfo(path).suffix().toLower() == QStringLiteral("t64");
}

QList<qint64> parseIndexes(const QStringList& texts) {
    QList<qint64> indexes;
    for (const QString& text : texts) {
        const std::optional<qint64> value = readInt64(text);
        if (!value || *value < 1) {
            throw UsageError{
                QStringLiteral("“%1” is not a file number (the first file is 1).").arg(text)};
        }
        indexes.append(*value - 1);
    }
    return indexes;
}

void requireCount(const QStringList& args, qsizetype minimum, qsizetype maximum) {
    if (args.size() < minimum || args.size() > maximum) {
        throw UsageError{QStringLiteral("Wrong number of arguments.")};
    }
}

QString namingFile(const QString& path, const QString& message) {
    if (message.contains(QFileInfo(path).fileName())) {
        return message;
    }
    return QStringLiteral("“%1”: %2").arg(path, message);
}

QString printable(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x20) {
            shown.append(QChar(char16_t(0x2400 + unit)));
        } else if (unit == 0x7F) {
            shown.append(QChar(char16_t(0x2421)));
        } else if (escapedPathByte(text, i)) {
            shown.append(QChar(char16_t(0xFFFD)));
        } else {
            shown.append(text[i]);
        }
    }
    return shown;
}

} // namespace vellum::disk
