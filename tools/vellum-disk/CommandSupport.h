#pragma once

#include "model/OpenCBMError.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace vellum::disk {

// A mistake in the command line; reported with a pointer to --help.
struct UsageError {
    QString message;
};

// Exit statuses: done, refused or failed (nothing changed), done in part.
inline constexpr int succeeded = 0;
inline constexpr int failed = 1;
inline constexpr int incomplete = 2;

// A path as the user gave it, relative paths staying relative so messages show them so.
QUrl fileURL(const QString& path);

bool isTape(const QString& path);

// Listing positions as the user gives them, counted from 1; returned counted from 0.
QList<qint64> parseIndexes(const QStringList& texts);

void requireCount(const QStringList& args, qsizetype minimum, qsizetype maximum);

// The message, with “path”: in front unless it already names the file.
QString namingFile(const QString& path, const QString& message);

// Runs `action`; an image-format error it raises is raised again naming the file.
template <typename Action>
auto namingFileOnError(const QString& path, Action action) -> decltype(action()) {
    try {
        return action();
    } catch (const OpenCBMError& error) {
        throw OpenCBMError::parseError(namingFile(path, error.errorDescription()));
    }
}

// Text made safe for a terminal: control codes show as their Unicode pictures (ESC as ␛),
// and bytes of a file name that are not UTF-8 as U+FFFD.
QString printable(const QString& text);

} // namespace vellum::disk
