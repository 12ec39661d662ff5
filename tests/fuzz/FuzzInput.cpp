#include "FuzzInput.h"

#include "images/D64Builder.h"
#include "images/D64Layout.h"

#include <algorithm>

namespace vellum::fuzzing {

namespace {

QByteArray baseImage() {
    D64Builder builder = D64Builder::create("FUZZ", "FZ");
    for (int i = 0; i < 12; ++i) {
        QByteArray contents(1 + i * 97, char(i));
        builder.addFile(QStringLiteral("FILE %1").arg(i), CBMFileType::prg, contents);
    }
    return builder.data() + QByteArray(errorBytes, char(0x01));
}

} // namespace

QByteArray imageFromInput(const uint8_t* data, size_t size) {
    static const QByteArray base = baseImage();
    QByteArray image = base;
    const qsizetype trackBytes = 19 * D64Layout::sectorSize;
    const qsizetype first = std::min<qsizetype>(qsizetype(size), trackBytes);
    image.replace(D64Layout::sectorOffset(18, 0), first, reinterpret_cast<const char*>(data),
                  first);
    if (qsizetype(size) > trackBytes) {
        const qsizetype rest = std::min<qsizetype>(qsizetype(size) - trackBytes, 17 * trackBytes);
        image.replace(qsizetype(0), rest, reinterpret_cast<const char*>(data) + trackBytes, rest);
    }
    return image;
}

} // namespace vellum::fuzzing
