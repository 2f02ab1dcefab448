// The desktop's web browser: the handler of https (then http) addresses as the desktop's
// settings name it, found and started through GIO, which reads those settings and the
// desktop entries as the desktop itself does. The handler of HTML *files* is never
// asked: it is an editor as often as a browser, this program among them. With no
// browser named, Debian's sensible-browser chooses ($BROWSER, x-www-browser,
// www-browser). What is started is watched for a moment only: an exit with an error
// within that time is a failure; after it the browser is left to itself, and outlives
// the editor.
// GIO first: its structures have members named like Qt's keyword macros.
#include <gio/gdesktopappinfo.h>

#include "platform/browser.h"

#include <QProcess>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace platform {
namespace {

constexpr int kWatchMilliseconds = 3000;
const char *const kOwnDesktopId = "org.example.Vellit.desktop";

// Calls the failure at most once, and not after the watch has ended.
class FailureReport
{
public:
    explicit FailureReport(std::function<void()> failed)
        : m_failed(std::make_shared<std::function<void()>>(std::move(failed)))
    {
        QTimer::singleShot(kWatchMilliseconds, [failed = m_failed] { *failed = nullptr; });
    }
    void operator()() const
    {
        if (*m_failed) {
            auto f = std::move(*m_failed);
            *m_failed = nullptr;
            f();
        }
    }

private:
    std::shared_ptr<std::function<void()>> m_failed;
};

// The desktop's handler of web addresses, unless it is this program.
GAppInfo *webBrowser()
{
    for (const char *scheme : {"https", "http"}) {
        GAppInfo *app = g_app_info_get_default_for_uri_scheme(scheme);
        if (!app)
            continue;
        const char *id = g_app_info_get_id(app);
        if (G_IS_DESKTOP_APP_INFO(app) && !(id && qstrcmp(id, kOwnDesktopId) == 0))
            return app;
        g_object_unref(app);
    }
    return nullptr;
}

struct ChildWatch
{
    FailureReport report;
};

void childEnded(GPid pid, gint status, gpointer data)
{
    std::unique_ptr<ChildWatch> watch(static_cast<ChildWatch *>(data));
    if (!g_spawn_check_wait_status(status, nullptr))
        watch->report();
    g_spawn_close_pid(pid);
}

void watchChild(GDesktopAppInfo *, GPid pid, gpointer data)
{
    const auto *report = static_cast<const FailureReport *>(data);
    g_child_watch_add(pid, childEnded, new ChildWatch{*report});
}

bool launchDesktopEntry(GAppInfo *app, const QString &address, const FailureReport &report)
{
    const QByteArray uri = address.toUtf8();
    GList uris = {const_cast<char *>(uri.constData()), nullptr, nullptr};
    GError *error = nullptr;
    const bool started = g_desktop_app_info_launch_uris_as_manager(
        G_DESKTOP_APP_INFO(app), &uris, nullptr,
        GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD), nullptr, nullptr, watchChild,
        const_cast<FailureReport *>(&report), &error);
    if (error)
        g_error_free(error);
    return started;
}

void launchSensibleBrowser(const QString &address, const FailureReport &report)
{
    // Not parented and never deleted while it may run: deleting a QProcess kills it.
    auto *process = new QProcess;
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, report](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         report();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [process, report](int code, QProcess::ExitStatus status) {
                         if (code != 0 || status != QProcess::NormalExit)
                             report();
                         process->deleteLater();
                     });
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(QStringLiteral("sensible-browser"), {address});
}

class DesktopBrowser final : public Browser
{
public:
    void open(const QString &address, std::function<void()> failed) override
    {
        const FailureReport report(std::move(failed));
        if (GAppInfo *app = webBrowser()) {
            const bool started = launchDesktopEntry(app, address, report);
            g_object_unref(app);
            if (!started)
                report();
            return;
        }
        launchSensibleBrowser(address, report);
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
