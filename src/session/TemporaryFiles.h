#pragma once

#include <QList>
#include <QString>
#include <QUrl>

namespace vellum {

// A fresh "vellum-<uuid>.<extension>" location in the temporary folder; nothing is made.
QUrl newTemporaryFileURL(const QString& extension);

// The temporary files of one operation, removed when the operation's scope ends, on every
// path out of it.
class TemporaryFiles {
public:
    TemporaryFiles() = default;
    TemporaryFiles(const TemporaryFiles&) = delete;
    TemporaryFiles& operator=(const TemporaryFiles&) = delete;
    ~TemporaryFiles();

    // Reserves a new location and remembers it for removal.
    QUrl make(const QString& extension);
    void adopt(const QUrl& url);
    void removeAll();

private:
    QList<QUrl> made;
};

} // namespace vellum
