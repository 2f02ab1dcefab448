// The command line's file read ahead: the start-up's longest piece of work that needs no
// window (reading, recognising and decoding up to 64000 bytes) runs while Qt connects to
// the display and the menus are built.
#include "app/readahead.h"

#include "app/commandline.h"
#include "document/charsetguess.h"
#include "platform/charsetattribute.h"
#include "platform/files.h"

#include <QMutex>
#include <QThread>
#include <future>

namespace readahead {
namespace {

struct Ahead
{
    QString path;
    QString identity; // of the file as it was before it was read
    QString recorded; // its recorded encoding then
    std::optional<Document> document;
};

QMutex mutex;
std::future<Ahead> pending;

} // namespace

std::optional<Document> read(const QString &path, std::optional<platform::Charset> encoding)
{
    if (!platform::isRegularFile(path) || platform::fileSize(path) > documentformat::kMaxBytes)
        return std::nullopt;
    Document document;
    if (!platform::readWholeFile(path, document.bytes))
        return std::nullopt;
    document.charset =
        encoding ? *encoding
                 : charsetguess::recognise(document.bytes, platform::charsetAttribute(path));
    document.reading = documentformat::read(document.bytes, document.charset);
    return document;
}

void start(const QString &commandLine)
{
    // Qt takes the first thread that asks for its thread data as the program's main
    // thread; this one asks before the reading thread, which makes a QFile, can.
    QThread::currentThread();
    const QMutexLocker lock(&mutex);
    if (pending.valid() || commandLine.isEmpty())
        return;
    const QString path = commandline::quotedPath(commandLine).value_or(commandLine);
    pending = std::async(std::launch::async, [path] {
        Ahead ahead{path, platform::fileIdentity(path), platform::charsetAttribute(path), {}};
        ahead.document = read(path);
        // A file that changed while it was read is read again when it is opened.
        if (platform::fileIdentity(path) != ahead.identity)
            ahead.document.reset();
        return ahead;
    });
}

std::optional<Document> take(const QString &path)
{
    const QMutexLocker lock(&mutex);
    if (!pending.valid())
        return std::nullopt;
    Ahead ahead = pending.get();
    const bool same = ahead.path == path && !ahead.identity.isEmpty() &&
                      platform::fileIdentity(path) == ahead.identity &&
                      platform::charsetAttribute(path) == ahead.recorded;
    return same ? std::move(ahead.document) : std::nullopt;
}

} // namespace readahead
