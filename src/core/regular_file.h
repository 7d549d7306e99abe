// Reading a file the user names or keeps, where anything may stand: only a regular
// file is read, and it is opened without waiting, so that a FIFO (which would stall
// the open) or a device such as /dev/zero (which never ends) is refused instead.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The bytes of the regular file at path (after links); empty when nothing is there;
// none when something else stands there or it cannot be read.
std::optional<QByteArray> ReadRegularFile(const QString& path);
