#include "io/atomicFile.h"

#include <QBuffer>
#include <QSaveFile>

namespace ivc::io {
namespace {

// Every byte, or false with the system's reason in `out`: a write cut short part-way (the
// disk filled during it) sets no reason of its own, so the rest is tried again, which fails
// at once with the system's ("No space left on device").
bool writeAll(QSaveFile& out, const QByteArray& bytes) {
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 n = out.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    // QSaveFile buffers: a write that fails only as the buffer is flushed by commit() would
    // be renamed over the old file all the same, so the flush is checked on its own first.
    if (out.flush())
        return true;
    out.flush();
    return false;
}

} // namespace

QString writeAtomically(const QString& path, const std::function<bool(QIODevice&)>& write) {
    // The content is made in memory first: the libraries' writers neither report a
    // device's reason for a failed write nor keep quiet about it (libpng prints "Write
    // Error" on the terminal), and the old file is not touched while they work.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!write(buffer))
        return QStringLiteral("the content could not be written");
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return out.errorString();
    if (!writeAll(out, bytes)) {
        const QString reason = out.errorString();
        out.cancelWriting();
        return reason;
    }
    if (!out.commit())
        return out.errorString();
    return {};
}

QString writeAtomically(const QString& path, const QByteArray& bytes) {
    return writeAtomically(path,
                           [&bytes](QIODevice& out) { return out.write(bytes) == bytes.size(); });
}

} // namespace ivc::io
