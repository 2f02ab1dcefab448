// The user's web browser: the desktop's handler for an address, started without waiting
// for it. Tests replace it with setBrowser().
#pragma once

#include <QString>
#include <functional>

namespace platform {

class Browser
{
public:
    virtual ~Browser() = default;
    /// Starts the handler for address and returns at once; failed runs later, once,
    /// when no handler could be started or it ended with an error straight away.
    virtual void open(const QString &address, std::function<void()> failed) = 0;
};

void openInBrowser(const QString &address, std::function<void()> failed);

/// Replaces the browser; nullptr restores the desktop's.
void setBrowser(Browser *browser);

/// What the browser is asked to open for a document path: the file: URL of an absolute
/// path, or the text itself as an address (an untitled document's title).
QString browserAddress(const QString &documentPath);

} // namespace platform
