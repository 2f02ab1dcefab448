// A small help window on QTextBrowser, one per owner window, reused by later calls.
#include "platform/helpviewer.h"

#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace platform {
namespace {

class HelpWindow : public QWidget
{
public:
    explicit HelpWindow(QWidget *owner) : QWidget(owner, Qt::Window)
    {
        setObjectName(QStringLiteral("HelpWindow"));
        setAttribute(Qt::WA_DeleteOnClose);
        if (owner)
            setWindowIcon(owner->windowIcon());
        m_browser = new QTextBrowser(this);
        m_browser->setObjectName(QStringLiteral("HelpBrowser"));
        m_browser->setOpenExternalLinks(true);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_browser);
        resize(640, 560);
    }

    void open(const QString &helpFile, int context)
    {
        QFile file(helpFile);
        if (!file.open(QIODevice::ReadOnly)) {
            setWindowTitle(QStringLiteral("ヘルプ"));
            m_browser->setPlainText(QStringLiteral("ヘルプファイル「%1」を開けませんでした。\n"
                                                   "ファイルがあるかどうかを確認してください。")
                                        .arg(helpFile));
            return;
        }
        m_browser->setSource(QUrl::fromLocalFile(helpFile), QTextDocument::HtmlResource);
        m_browser->scrollToAnchor(QStringLiteral("topic%1").arg(context));
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("ヘルプ") : title);
    }

private:
    QTextBrowser *m_browser;
};

class QtHelpViewer final : public HelpViewer
{
public:
    void show(QWidget *owner, const QString &helpFile, int context) override
    {
        if (!m_window)
            m_window = new HelpWindow(owner);
        m_window->open(helpFile, context);
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
    }

private:
    QPointer<HelpWindow> m_window;
};

QtHelpViewer realViewer;
HelpViewer *current = &realViewer;

} // namespace

void WinHelp(QWidget *owner, const QString &helpFile, int context)
{
    current->show(owner, helpFile, context);
}

void setHelpViewer(HelpViewer *viewer)
{
    current = viewer ? viewer : &realViewer;
}

} // namespace platform
