// Saving an export's text: through a temporary file beside the target, so that a failed
// write leaves the old file or none, never half a file.
#pragma once

#include <QString>
#include <optional>
#include <string>

// Nothing on success, else why the file could not be written.
std::optional<QString> SaveTextFile(const QString& path, const std::string& text);
