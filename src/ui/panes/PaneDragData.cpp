#include "ui/panes/PaneDragData.h"

#include <QFileInfo>

namespace vellum {

FloppyEntriesMimeData::FloppyEntriesMimeData(QStringList payloads) : entries(std::move(payloads)) {
    const QByteArray text = entries.join(QLatin1Char('\n')).toUtf8();
    setData(floppyEntryMimeType, text);
    setText(QString::fromUtf8(text));
}

ComputerItemsMimeData::ComputerItemsMimeData(ComputerFileItem pressed, bool wholeSelection,
                                             const QList<QUrl>& urls)
    : pressed(std::move(pressed)), wholeSelection(wholeSelection) {
    setUrls(urls);
}

QStringList droppedFloppyPayloads(const QMimeData* data) {
    const auto* entries = qobject_cast<const FloppyEntriesMimeData*>(data);
    if (!entries || !entries->hasFormat(floppyEntryMimeType)) {
        return {};
    }
    return entries->payloads();
}

QList<QUrl> droppedFileURLs(const QMimeData* data) {
    QList<QUrl> files;
    if (!data || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        // Folders are never copied anywhere; a drag of folders alone offers nothing.
        if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isDir()) {
            files.append(url);
        }
    }
    return files;
}

qsizetype draggedItemCount(const QMimeData* data) {
    if (const auto* entries = qobject_cast<const FloppyEntriesMimeData*>(data)) {
        return entries->payloads().size();
    }
    return data && data->hasUrls() ? data->urls().size() : 0;
}

const ComputerItemsMimeData* droppedLocalItems(const QMimeData* data) {
    return qobject_cast<const ComputerItemsMimeData*>(data);
}

} // namespace vellum
