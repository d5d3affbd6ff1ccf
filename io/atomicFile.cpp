#include "io/atomicFile.h"

#include <QSaveFile>

namespace ivc::io {

QString writeAtomically(const QString& path, const std::function<bool(QIODevice&)>& write) {
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return out.errorString();
    // QSaveFile buffers: a write that fails only as the buffer is flushed by commit() would
    // be renamed over the old file all the same, so the flush is checked on its own first.
    const bool written = write(out) && out.error() == QFileDevice::NoError && out.flush();
    if (!written) {
        const QString reason = out.error() != QFileDevice::NoError
                                   ? out.errorString()
                                   : QStringLiteral("the content could not be written");
        out.cancelWriting();
        return reason;
    }
    if (!out.commit())
        return out.errorString();
    return {};
}

} // namespace ivc::io
