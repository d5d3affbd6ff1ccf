#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// One writer for every file the program makes (designs, exports, the card's PDF): the old
// file is replaced only once the new one is whole on disk, so a full disk or a broken write
// leaves it byte for byte as it was.
namespace ivc::io {

// Writes `path` with what `write` puts on the device it is given (a buffer in memory), and
// which returns false when it could not produce the content. Every write, the flush and the
// commit are checked. Returns the system's reason for a failure ("No space left on
// device"), or an empty text when the file is written.
QString writeAtomically(const QString& path, const std::function<bool(QIODevice&)>& write);

// The same for content already in memory.
QString writeAtomically(const QString& path, const QByteArray& bytes);

} // namespace ivc::io
