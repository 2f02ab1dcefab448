// The help viewer: a help file opened at a topic, in a window owned by the caller's
// window. The help file is an HTML document whose topic n is the anchor "topicn".
// Tests replace the viewer with setHelpViewer().
#pragma once

#include <QString>

class QWidget;

namespace platform {

class HelpViewer
{
public:
    virtual ~HelpViewer() = default;
    /// Shows the file at the topic with that context number; a file that cannot be
    /// read is reported by the viewer itself.
    virtual void show(QWidget *owner, const QString &helpFile, int context) = 0;
};

void WinHelp(QWidget *owner, const QString &helpFile, int context);

/// Replaces the viewer; nullptr restores the real one.
void setHelpViewer(HelpViewer *viewer);

} // namespace platform
