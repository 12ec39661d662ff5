#pragma once

#include "model/CBMFileType.h"

#include <QSet>
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

namespace vellum {

// "512 B", "1 KB", "1.5 MB".
QString formatByteCount(qint64 bytes);

// The Commodore name proposed for a computer file copied to a floppy or an image: lower
// case, at most 16 characters of letters, digits, space, "-" and "+"; "FILE" when nothing
// is left.
QString cbmFileName(const QUrl& url);

// The Commodore type of a computer file, by its extension (seq/usr/rel, else prg).
CBMFileType cbmFileType(const QUrl& url);

// The type column text of a computer file ("PRG", "D64", "TXT", "FILE").
QString typeLabel(const QUrl& url);

// Extensions that the computer pane opens as disk images (tapes are checked apart).
const QSet<QString>& diskImageExtensions();

// The first of "BASE-2", "BASE-3", … that `isTaken` refuses, the base cut so the whole fits
// `maxLength` characters; nothing when no suffix leaves room for a character of the base.
std::optional<QString> suffixedFreeName(const QString& base, qsizetype maxLength,
                                        const std::function<bool(const QString&)>& isTaken);

// Extensions that cbmFileName strips before it builds the Commodore name.
const QSet<QString>& strippedFileExtensions();

} // namespace vellum
