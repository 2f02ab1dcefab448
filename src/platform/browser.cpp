// xdg-open, the desktop's URL handler. It is watched for a moment only: an exit with an
// error within that time is a failure; after it, the handler (or the browser it became)
// is left to itself, and outlives the editor.
#include "platform/browser.h"

#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace platform {
namespace {

constexpr int kWatchMilliseconds = 3000;

class DesktopBrowser final : public Browser
{
public:
    void open(const QString &address, std::function<void()> failed) override
    {
        // Not parented and never deleted while it may run: deleting a QProcess kills it.
        auto *process = new QProcess;
        auto report = std::make_shared<std::function<void()>>(std::move(failed));
        auto reportOnce = [report] {
            if (*report) {
                auto f = std::move(*report);
                *report = nullptr;
                f();
            }
        };
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [process, reportOnce](QProcess::ProcessError error) {
                             if (error != QProcess::FailedToStart)
                                 return;
                             reportOnce();
                             process->deleteLater();
                         });
        QObject::connect(process, &QProcess::finished, process,
                         [process, reportOnce](int code, QProcess::ExitStatus status) {
                             if (code != 0 || status != QProcess::NormalExit)
                                 reportOnce();
                             process->deleteLater();
                         });
        QTimer::singleShot(kWatchMilliseconds, process, [process, report] {
            *report = nullptr;
            process->disconnect();
        });
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        process->start(QStringLiteral("xdg-open"), {address});
    }
};

DesktopBrowser desktopBrowser;
Browser *current = &desktopBrowser;

} // namespace

void openInBrowser(const QString &address, std::function<void()> failed)
{
    current->open(address, std::move(failed));
}

void setBrowser(Browser *browser)
{
    current = browser ? browser : &desktopBrowser;
}

QString browserAddress(const QString &documentPath)
{
    if (documentPath.startsWith(u'/'))
        return QString::fromLatin1(QUrl::fromLocalFile(documentPath).toEncoded());
    return documentPath;
}

} // namespace platform
