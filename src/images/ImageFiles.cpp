#include "images/ImageFiles.h"

#include "images/ComputerFileNames.h"
#include "images/ComputerPaths.h"
#include "images/D64Layout.h"
#include "images/DiskGeometry.h"
#include "model/FileNames.h"
#include "model/OpenCBMError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUuid>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellum {

namespace {

QString computerPath(const QUrl& url) {
    return url.isLocalFile() ? url.toLocalFile() : url.toString();
}

QString systemReason(int code) {
    return qt_error_string(code);
}

[[noreturn]] void failRead(const QString& path, int code) {
    throw PlatformError(QCoreApplication::translate("ImageFiles", "Could not read “%1”: %2.")
                            .arg(path, systemReason(code)));
}

[[noreturn]] void failWrite(const QString& path, int code) {
    throw PlatformError(QCoreApplication::translate("ImageFiles", "Could not write “%1”: %2.")
                            .arg(path, systemReason(code)));
}

// A file descriptor that closes itself.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    int get() const { return fd; }
    // Closes now and returns 0, or the errno of a failed close.
    int close() {
        const int result = ::close(fd);
        fd = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd;
};

QString tooLargeMessage(const QString& path, FileRole role, qint64 size) {
    const QString shown = formatByteCount(size);
    switch (role) {
    case FileRole::diskImage:
        if (const auto format = diskImageFormatForExtension(QFileInfo(path).suffix())) {
            return QCoreApplication::translate("ImageFiles",
                                               "“%1” is too large to be a %2 image (%3).")
                .arg(path, displayName(*format), shown);
        }
        return QCoreApplication::translate("ImageFiles",
                                           "“%1” is too large to be a disk image (%2).")
            .arg(path, shown);
    case FileRole::tapeImage:
        return QCoreApplication::translate("ImageFiles",
                                           "“%1” is too large to be a T64 tape image (%2).")
            .arg(path, shown);
    case FileRole::fileToAdd:
        return QCoreApplication::translate(
                   "ImageFiles",
                   "“%1” is too large to fit on any disk (%2; a D81, the largest, holds at most %3 "
                   "bytes).")
            .arg(path, shown)
            .arg(geometryOf(DiskImageFormat::d81).freshBlocksFree() * 254);
    case FileRole::any:
        break;
    }
    return QCoreApplication::translate("ImageFiles", "“%1” is too large to read (%2).")
        .arg(path, shown);
}

// Writes all bytes, or returns the errno of the write that failed.
int writeAll(int fd, const QByteArray& bytes) {
    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t result =
            ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result < 0) {
            return errno;
        }
        written += result;
    }
    return 0;
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) {
        return QByteArrayLiteral(".");
    }
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray extensionOf(const QByteArray& path) {
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    const qsizetype dot = name.lastIndexOf('.');
    return dot > 0 ? name.mid(dot + 1) : QByteArrayLiteral("tmp");
}

// Makes the rename that put a file in place survive a crash. Folders on file systems that
// cannot sync them say so with EINVAL; nothing more can be done there.
void syncFolder(const QByteArray& folder, const QString& shownPath) {
    Descriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0) {
        return;
    }
    if (::fsync(fd.get()) != 0 && errno != EINVAL && errno != ENOTSUP) {
        failWrite(shownPath, errno);
    }
}

// Writes the bytes into a file just created, syncs them when asked and closes it; 0, or
// the errno of the step that failed.
int fillAndClose(Descriptor& fd, const QByteArray& bytes, Sync sync) {
    int error = writeAll(fd.get(), bytes);
    if (error == 0 && sync == Sync::toDisk && ::fsync(fd.get()) != 0) {
        error = errno;
    }
    const int closed = fd.close();
    return error != 0 ? error : closed;
}

constexpr QByteArrayView temporaryPrefix(".vellum-");
constexpr qsizetype uuidLength = 36;

// Whether `name` is one that writeTemporarySibling gives: ".vellum-<uuid>.<ext>", the UUID
// in lower-case hex as QUuid writes it, the extension without a dot.
bool isTemporarySiblingName(QByteArrayView name) {
    if (!name.startsWith(temporaryPrefix) ||
        name.size() < temporaryPrefix.size() + uuidLength + 1) {
        return false;
    }
    const QByteArrayView uuid = name.sliced(temporaryPrefix.size(), uuidLength);
    for (qsizetype i = 0; i < uuidLength; ++i) {
        const char c = uuid[i];
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    const QByteArrayView rest = name.sliced(temporaryPrefix.size() + uuidLength);
    return rest.front() == '.' && !rest.sliced(1).contains('.');
}

// A new hidden file beside `target` holding `bytes`; its path. The name follows the
// pattern ".vellum-<uuid>.<ext>", which marks it as ours.
QByteArray writeTemporarySibling(const QByteArray& target, const QByteArray& bytes,
                                 std::optional<mode_t> mode, Sync sync, const QString& shownPath) {
    for (;;) {
        const QByteArray temporary = folderOf(target) + '/' + temporaryPrefix.toByteArray() +
                                     QUuid::createUuid().toByteArray(QUuid::WithoutBraces) + '.' +
                                     extensionOf(target);
        Descriptor fd(::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.get() < 0 && errno == EEXIST) {
            continue;
        }
        if (fd.get() < 0) {
            failWrite(shownPath, errno);
        }
        const int error =
            mode && ::fchmod(fd.get(), *mode) != 0 ? errno : fillAndClose(fd, bytes, sync);
        if (error != 0) {
            ::unlink(temporary.constData());
            failWrite(shownPath, error);
        }
        return temporary;
    }
}

// Where a write to `path` lands: the path itself, or the file that a link leads to.
QByteArray writeTarget(const QByteArray& path, const QString& shownPath) {
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    char resolved[PATH_MAX];
    if (!::realpath(path.constData(), resolved)) {
        throw PlatformError(
            QCoreApplication::translate(
                "ImageFiles", "Could not write “%1”: it is a link to a file that does not exist.")
                .arg(shownPath));
    }
    return QByteArray(resolved);
}

// The mode of the regular file at `target`, or nothing when there is none yet; fails for
// anything else there.
std::optional<mode_t> modeToKeep(const QByteArray& target, const QString& shownPath) {
    struct stat info {};
    if (::stat(target.constData(), &info) != 0) {
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        throw PlatformError(QCoreApplication::translate(
                                "ImageFiles", "Could not write “%1”: it is not a regular file.")
                                .arg(shownPath));
    }
    return info.st_mode & 07777;
}

} // namespace

qint64 largestFileSize(FileRole role) {
    switch (role) {
    case FileRole::diskImage:
    case FileRole::fileToAdd:
        // A file to add is not refused here just short of what a disk holds: there the
        // builder's count of the blocks needed and free says more.
        return largestDiskImageSize;
    case FileRole::any:
    case FileRole::tapeImage:
        break;
    }
    return 16 * 1024 * 1024;
}

QByteArray readWholeFile(const QUrl& url, FileRole role) {
    const QString path = computerPath(url);
    // Opening without blocking, so that a pipe with no writer is refused rather than waited on.
    Descriptor fd(::open(computerPathBytes(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        failRead(path, errno);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        failRead(path, errno);
    }
    if (S_ISDIR(info.st_mode)) {
        throw PlatformError(
            QCoreApplication::translate("ImageFiles", "“%1” is a folder, not a file.").arg(path));
    }
    if (!S_ISREG(info.st_mode)) {
        throw PlatformError(
            QCoreApplication::translate("ImageFiles", "“%1” is not a regular file.").arg(path));
    }
    const qint64 largest = largestFileSize(role);
    if (info.st_size > largest) {
        throw PlatformError(tooLargeMessage(path, role, info.st_size));
    }
    // The file may grow while it is read; one byte more than allowed is enough to tell.
    QByteArray bytes(qsizetype(std::min<qint64>(info.st_size, largest) + 1), Qt::Uninitialized);
    qsizetype length = 0;
    for (;;) {
        if (length == bytes.size()) {
            if (length > largest) {
                throw PlatformError(tooLargeMessage(path, role, length));
            }
            bytes.resize(std::min<qint64>(largest + 1, length * 2 + 4096));
        }
        const ssize_t result =
            ::read(fd.get(), bytes.data() + length, size_t(bytes.size() - length));
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result < 0) {
            failRead(path, errno);
        }
        if (result == 0) {
            break;
        }
        length += result;
    }
    if (length > largest) {
        throw PlatformError(tooLargeMessage(path, role, length));
    }
    bytes.truncate(length);
    return bytes;
}

QByteArray readDiskImage(const QUrl& url) {
    QByteArray bytes = readWholeFile(url, FileRole::diskImage);
    if (const std::optional<DiskImageFormat> format = diskImageFormatOf(url)) {
        D64Layout::checkImageSize(bytes, *format);
    }
    return bytes;
}

QUrl atomicWriteTarget(const QUrl& url) {
    const QString path = computerPath(url);
    const QByteArray target = writeTarget(computerPathBytes(path), path);
    modeToKeep(target, path);
    return QUrl::fromLocalFile(computerPathFromBytes(target));
}

void writeFileAtomically(const QUrl& url, const QByteArray& bytes) {
    const QString path = computerPath(url);
    const QByteArray target = writeTarget(computerPathBytes(path), path);
    const std::optional<mode_t> mode = modeToKeep(target, path);
    const QByteArray temporary = writeTemporarySibling(target, bytes, mode, Sync::toDisk, path);
    if (::rename(temporary.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        failWrite(path, error);
    }
    syncFolder(folderOf(target), path);
}

bool writeNewFile(const QUrl& url, const QByteArray& bytes, Sync sync) {
    const QString path = computerPath(url);
    const QByteArray target = computerPathBytes(path);
    if (pathIsTaken(path)) {
        return false;
    }
    // A hard link puts the finished file in place under its name only if that name is still
    // free; file systems without hard links get the file written in place instead.
    const QByteArray temporary = writeTemporarySibling(target, bytes, std::nullopt, sync, path);
    const int linked = ::link(temporary.constData(), target.constData()) == 0 ? 0 : errno;
    ::unlink(temporary.constData());
    if (linked == EEXIST) {
        return false;
    }
    if (linked != 0) {
        if (linked != EPERM && linked != ENOTSUP && linked != EOPNOTSUPP && linked != EMLINK) {
            failWrite(path, linked);
        }
        Descriptor fd(::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.get() < 0 && errno == EEXIST) {
            return false;
        }
        if (fd.get() < 0) {
            failWrite(path, errno);
        }
        if (const int error = fillAndClose(fd, bytes, sync)) {
            ::unlink(target.constData());
            failWrite(path, error);
        }
    }
    if (sync == Sync::toDisk) {
        syncFolder(folderOf(target), path);
    }
    return true;
}

QString writeUnderFreeName(const QString& folder, const QString& base, const QString& extension,
                           const QByteArray& bytes, Sync sync) {
    // A name taken between the search and the write is simply passed over.
    for (;;) {
        const QUrl url = uniqueLocalURL(QUrl::fromLocalFile(folder), base, extension);
        if (writeNewFile(url, bytes, sync)) {
            return url.toLocalFile();
        }
    }
}

int removeLeftoverTemporaryFiles(const QString& folder, std::chrono::seconds idle) {
    DIR* listing = ::opendir(computerPathBytes(folder).constData());
    if (!listing) {
        return 0;
    }
    const time_t cutoff = ::time(nullptr) - time_t(idle.count());
    int removed = 0;
    while (const dirent* member = ::readdir(listing)) {
        if (!isTemporarySiblingName(QByteArrayView(member->d_name))) {
            continue;
        }
        struct stat info {};
        if (::fstatat(::dirfd(listing), member->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode) || info.st_mtime > cutoff) {
            continue;
        }
        if (::unlinkat(::dirfd(listing), member->d_name, 0) == 0) {
            ++removed;
        }
    }
    ::closedir(listing);
    return removed;
}

} // namespace vellum
