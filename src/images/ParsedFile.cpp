#include "images/ParsedFile.h"

namespace vellum {

QByteArray ParsedFile::contents() const {
    QByteArray bytes;
    bytes.reserve(payload.size() + 2);
    bytes.append(char(startAddress & 0xFF));
    bytes.append(char(startAddress >> 8));
    bytes.append(payload);
    return bytes;
}

} // namespace vellum
