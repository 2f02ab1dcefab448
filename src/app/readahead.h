// The file named on the command line, read, recognised and decoded on another thread
// while the window is being built.
#pragma once

#include "document/documentformat.h"
#include "platform/codepage.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace readahead {

/// A document file as opening it reads it: its bytes, the encoding recognised in them
/// (or recorded with the file), and their reading in that encoding.
struct Document
{
    QByteArray bytes;
    platform::Charset charset = platform::Charset::ShiftJis;
    documentformat::Reading reading;
};

/// Reads the file at path as opening it does, in the encoding given or else the one its
/// bytes show; nothing when it is not a regular file of at most the largest size a
/// document may have, or cannot be read.
std::optional<Document> read(const QString &path,
                             std::optional<platform::Charset> encoding = std::nullopt);

/// Starts reading the file the command line names (as it is, or between double quotes)
/// on another thread. Called on the main thread, before the application object is made;
/// while a file read ahead is not yet taken, another is not started.
void start(const QString &commandLine);

/// The file at path as read ahead, once, provided it is still the same file with the
/// same recorded encoding; otherwise nothing, and the caller reads it itself.
std::optional<Document> take(const QString &path);

} // namespace readahead
