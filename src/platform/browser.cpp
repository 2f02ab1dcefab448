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
#include <dlfcn.h>
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

// GIO and GObject are loaded the first time a browser is asked for, not at start-up:
// with libmount, libblkid and libselinux they are seven libraries and about 1 MiB that
// the first frame does not need. GLib itself is already there, under Qt's event loop.
struct Gio
{
    decltype(&g_app_info_get_default_for_uri_scheme) defaultForUriScheme;
    decltype(&g_app_info_get_id) id;
    decltype(&g_desktop_app_info_get_type) desktopAppInfoType;
    decltype(&g_type_check_instance_is_a) isA;
    decltype(&g_object_unref) unref;
    decltype(&g_desktop_app_info_launch_uris_as_manager) launchUrisAsManager;

    /// The functions, or nullptr when GIO cannot be loaded.
    static const Gio *load();
};

template <typename Function> bool resolve(void *library, const char *name, Function &function)
{
    // The library's search covers what it depends on: GObject's functions come too.
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

const Gio *Gio::load()
{
    static const std::unique_ptr<Gio> loaded = [] {
        void *library = dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        auto gio = std::make_unique<Gio>();
        if (!library ||
            !(resolve(library, "g_app_info_get_default_for_uri_scheme", gio->defaultForUriScheme) &&
              resolve(library, "g_app_info_get_id", gio->id) &&
              resolve(library, "g_desktop_app_info_get_type", gio->desktopAppInfoType) &&
              resolve(library, "g_type_check_instance_is_a", gio->isA) &&
              resolve(library, "g_object_unref", gio->unref) &&
              resolve(library, "g_desktop_app_info_launch_uris_as_manager",
                      gio->launchUrisAsManager)))
            gio.reset();
        return gio;
    }();
    return loaded.get();
}

// The desktop's handler of web addresses, unless it is this program.
GAppInfo *webBrowser(const Gio &gio)
{
    for (const char *scheme : {"https", "http"}) {
        GAppInfo *app = gio.defaultForUriScheme(scheme);
        if (!app)
            continue;
        const char *id = gio.id(app);
        const bool desktopEntry =
            gio.isA(reinterpret_cast<GTypeInstance *>(app), gio.desktopAppInfoType());
        if (desktopEntry && !(id && qstrcmp(id, kOwnDesktopId) == 0))
            return app;
        gio.unref(app);
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

bool launchDesktopEntry(const Gio &gio, GAppInfo *app, const QString &address,
                        const FailureReport &report)
{
    const QByteArray uri = address.toUtf8();
    GList uris = {const_cast<char *>(uri.constData()), nullptr, nullptr};
    GError *error = nullptr;
    const bool started = gio.launchUrisAsManager(
        reinterpret_cast<GDesktopAppInfo *>(app), &uris, nullptr,
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
        const Gio *gio = Gio::load();
        if (GAppInfo *app = gio ? webBrowser(*gio) : nullptr) {
            const bool started = launchDesktopEntry(*gio, app, address, report);
            gio->unref(app);
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
