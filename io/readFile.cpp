#include "io/readFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ivc::io {

QString cannotOpen(const QString& fileName, const QString& why) {
    return QStringLiteral("Cannot open \"%1\": %2").arg(fileName, why);
}

// Opened without waiting (a pipe with no writer would block the open) and looked at
// before anything is read.
Read readRegularFile(const QByteArray& nativePath, const QString& fileName, qint64 limit,
                     const QString& tooLarge, const QString& kind) {
    const auto refused = [&fileName](const QString& why) {
        return Read{{}, cannotOpen(fileName, why)};
    };
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refused(qt_error_string(errno) + '.');
    QFile file;
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return refused(qt_error_string(errno) + '.');
    if (S_ISDIR(st.st_mode))
        return refused(QStringLiteral("It is a folder."));
    if (!S_ISREG(st.st_mode))
        return refused(QStringLiteral("It is a device or a pipe, not %1.").arg(kind));
    // No more than one byte past the limit, whatever size the file gives itself.
    QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit)
        return refused(tooLarge);
    if (file.error() != QFileDevice::NoError)
        return refused(file.errorString() + '.');
    return {std::move(bytes), {}};
}

} // namespace ivc::io
