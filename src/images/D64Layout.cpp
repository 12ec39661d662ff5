#include "images/D64Layout.h"

#include "model/OpenCBMError.h"

#include <algorithm>

namespace vellum::D64Layout {

qint64 sectorsPerTrack(qint64 track) {
    if (track >= 1 && track <= 17)
        return 21;
    if (track >= 18 && track <= 24)
        return 19;
    if (track >= 25 && track <= 30)
        return 18;
    if (track >= 31 && track <= 35)
        return 17;
    return 0;
}

qint64 sectorOffset(qint64 track, qint64 sector) {
    qint64 index = sector;
    for (qint64 t = 1; t < track; ++t)
        index += sectorsPerTrack(t);
    return index * sectorSize;
}

QByteArray sector(const QByteArray& image, qint64 track, qint64 sectorNumber) {
    const qint64 offset = sectorOffset(track, sectorNumber);
    if (offset < 0 || offset + sectorSize > image.size())
        return QByteArray(sectorSize, '\0');
    return image.mid(offset, sectorSize);
}

bool isValidSector(qint64 track, qint64 sectorNumber) {
    return sectorNumber >= 0 && sectorNumber < sectorsPerTrack(track);
}

namespace {

// Calls visit(sectorBytes, isLast) for each sector of the chain.
template <typename Visit>
void walkChain(const QByteArray& image, qint64 track, qint64 sectorNumber, Visit visit) {
    QSet<qint64> visited;
    while (track >= 1 && track <= trackCount) {
        if (visited.contains(sectorKey(track, sectorNumber)))
            return;
        visited.insert(sectorKey(track, sectorNumber));
        const QByteArray bytes = sector(image, track, sectorNumber);
        const qint64 nextTrack = quint8(bytes[0]);
        visit(track, sectorNumber, bytes, nextTrack == 0);
        if (nextTrack == 0)
            return;
        track = nextTrack;
        sectorNumber = quint8(bytes[1]);
    }
}

qint64 bytesInLastSector(const QByteArray& sectorBytes) {
    return std::max<qint64>(1, qint64(quint8(sectorBytes[1])) - 1);
}

} // namespace

ChainSize chainSize(const QByteArray& image, qint64 track, qint64 sectorNumber) {
    ChainSize size;
    walkChain(image, track, sectorNumber,
              [&](qint64, qint64, const QByteArray& bytes, bool isLast) {
                  ++size.sectors;
                  size.bytes += isLast ? bytesInLastSector(bytes) : 254;
              });
    return size;
}

QByteArray readChain(const QByteArray& image, qint64 track, qint64 sectorNumber) {
    QByteArray result;
    walkChain(image, track, sectorNumber,
              [&](qint64, qint64, const QByteArray& bytes, bool isLast) {
                  result.append(bytes.constData() + 2, isLast ? bytesInLastSector(bytes) : 254);
              });
    return result;
}

QList<std::pair<qint64, qint64>> chainSectors(const QByteArray& image, qint64 track,
                                              qint64 sectorNumber) {
    QList<std::pair<qint64, qint64>> result;
    walkChain(image, track, sectorNumber, [&](qint64 t, qint64 s, const QByteArray&, bool) {
        result.append({t, s});
    });
    return result;
}

QString decodeName(const QByteArray& bytes, qint64 offset, qint64 length) {
    QString text;
    const qint64 end = std::min<qint64>(bytes.size(), offset + length);
    for (qint64 i = std::max<qint64>(0, offset); i < end; ++i) {
        const quint8 byte = quint8(bytes[i]);
        if (byte == 0x00 || byte == 0xA0)
            break;
        if (byte >= 0x80)
            return QString();
        text.append(QLatin1Char(char(byte)));
    }
    return text.trimmed();
}

QByteArray encodeName(const QString& text) {
    QByteArray result(nameLength, padding);
    const QList<uint> codePoints = text.toUpper().toUcs4();
    for (qsizetype position = 0; position < codePoints.size() && position < nameLength;
         ++position) {
        const uint codePoint = codePoints[position];
        if (codePoint >= 0x20 && codePoint <= 0x7F)
            result[position] = char(codePoint);
    }
    return result;
}

void checkImageSize(const QByteArray& image) {
    if (image.size() < imageSize)
        throw OpenCBMError::parseError(QStringLiteral("This D64 image is too small to be valid."));
}

} // namespace vellum::D64Layout
