// Saving a whole file the user named: through a temporary file beside the target,
// so that a failed write leaves the old file or none, never half a file. Only a
// regular file is replaced: a FIFO, a device or a folder in the target's place (or
// where a link there points) is refused, never turned into a file.
#pragma once

#include <QByteArrayView>
#include <QFileDevice>
#include <QIODevice>
#include <QString>
#include <functional>
#include <optional>

// Whether something other than a regular file stands at path (after links).
bool NotARegularFile(const QString& path);

// Why writing to file failed. A write the disk filled up in the middle of stores part
// of its bytes and sets no error; only the next attempt at the rest is refused with
// the system's reason, so the rest is tried once more: for a file to be discarded.
QString WhyUnwritten(QFileDevice& file);

// Nothing once the bytes written to file are on the disk, else why they may not be:
// a file put in another's place is synced first, for QSaveFile and a rename take no
// notice of a sync that failed, and would replace a good file with a lost one.
std::optional<QString> WhyNotOnDisk(QFileDevice& file);

// Nothing on success, else why the file could not be written.
std::optional<QString> SaveFile(const QString& path, QByteArrayView bytes);

// The same for a file that write puts into the device it is given (a picture's
// encoder, say); write's false is a failure.
std::optional<QString> SaveFile(const QString& path, const std::function<bool(QIODevice&)>& write);
