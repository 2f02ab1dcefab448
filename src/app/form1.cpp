// Construction of the main window: its menus, its text area and their wiring.
#include "app/form1.h"

#include "app/appicon.h"
#include "app/caption.h"

#include "app/menutree.h"
#include "app/recoverysession.h"
#include "app/textarea.h"
#include "app/twips.h"
#include "document/messages.h"
#include "platform/process.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

const QStringList Form1::kUndoItems = {QStringLiteral("mnuBack"), QStringLiteral("mnupopBack")};

const QStringList Form1::kTextItems = {QStringLiteral("mnuKiru"),     QStringLiteral("mnuCopy"),
                                       QStringLiteral("mnuKiru2"),    QStringLiteral("mnuCopy2"),
                                       QStringLiteral("mnuDel"),      QStringLiteral("mnupopKiru"),
                                       QStringLiteral("mnupopCopy"),  QStringLiteral("mnupopKiru2"),
                                       QStringLiteral("mnupopCopy2"), QStringLiteral("mnupopDel")};

namespace {

// Adds the rows of a tree under root; level-1 rows go into root, level-2 rows into the
// submenu opened by the level-1 row above them.
void addRows(Form1 *window, QMenu *root, std::vector<MenuRow>::const_iterator begin,
             std::vector<MenuRow>::const_iterator end, QList<QKeySequence> &shortcuts)
{
    QMenu *submenu = nullptr;
    for (auto row = begin; row != end; ++row) {
        QMenu *parent = row->level == 2 ? submenu : root;
        const QString caption = QString::fromUtf8(row->caption);
        QAction *action = nullptr;
        if (caption == u'-') {
            action = parent->addSeparator();
        } else if (row + 1 != end && (row + 1)->level > row->level) {
            submenu = parent->addMenu(caption);
            submenu->setObjectName(QLatin1StringView(row->name));
            action = submenu->menuAction();
        } else {
            action = parent->addAction(caption);
        }
        action->setObjectName(QLatin1StringView(row->name));
        if (*row->shortcut) {
            // The keys are written in Qt's portable form: read as such, with no look-up
            // of the translated names of the modifiers.
            const QKeySequence key(QLatin1StringView(row->shortcut), QKeySequence::PortableText);
            action->setShortcut(key);
            shortcuts.append(key);
        }
        if (row->checkable) {
            action->setCheckable(true);
            action->setChecked(true); // the design carries the mark; start-up clears it
        }
        if (row->handler && row->checkable) {
            // The handler itself inverts the mark; undo the toggle Qt made first.
            QObject::connect(action, &QAction::triggered, window,
                             [window, action, handler = row->handler](bool checked) {
                                 action->setChecked(!checked);
                                 (window->*handler)();
                             });
        } else if (row->handler) {
            QObject::connect(action, &QAction::triggered, window, row->handler);
        }
    }
}

} // namespace

Form1::Form1(QWidget *parent)
    : QMainWindow(parent), Text1(new TextArea(this)), CommonDialog1(this),
      mnupopMenu(new QMenu(QStringLiteral("隠しメニュー"), this))
{
    setCaption(caption::compose(caption::kUntitled.toString()));
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("本文"));
    setCentralWidget(Text1);
    mnupopMenu->setObjectName(QStringLiteral("mnupopMenu"));
    buildMenus();
    // How the document is stored (encoding, line ends) is shown at the bottom.
    m_formLabel = new QLabel(this);
    m_formLabel->setObjectName(QStringLiteral("formLabel"));
    statusBar()->addPermanentWidget(m_formLabel);
    setDocumentForm(documentformat::Form());
    connect(Text1, &TextArea::changed, this, &Form1::Text1_Change);
    connect(Text1, &TextArea::filesDropped, this, &Form1::Text1_OLEDragDrop);
    connect(Text1, &TextArea::mouseDown, this, &Form1::Text1_MouseDown);
    // Client area of 11325 × 7335 twips between the menu bar and the status bar.
    resize(twips::toPixelsX(this, 11325), twips::toPixelsY(this, 7335) +
                                              menuBar()->sizeHint().height() +
                                              statusBar()->sizeHint().height());
}

Form1::~Form1() = default;

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose) {
        watched->removeEventFilter(this);
        m_iconSet = true;
        QMetaObject::invokeMethod(
            this, [this] { setWindowIcon(appicon::icon()); }, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::setDocumentForm(const documentformat::Form &form)
{
    state.documentForm = form;
    m_formLabel->setText(messages::formLabel(platform::charsetName(form.encoding),
                                             form.byteOrderMark,
                                             documentformat::lineEndsName(form.lineEnds)));
}

void Form1::buildMenus()
{
    QList<QKeySequence> shortcuts;
    const auto &tree = menuBarTree();
    for (auto top = tree.begin(); top != tree.end();) {
        auto next =
            std::find_if(top + 1, tree.end(), [](const MenuRow &r) { return r.level == 0; });
        QMenu *menu = menuBar()->addMenu(QString::fromUtf8(top->caption));
        menu->setObjectName(QLatin1StringView(top->name));
        menu->menuAction()->setObjectName(QLatin1StringView(top->name));
        addRows(this, menu, top + 1, next, shortcuts);
        top = next;
    }
    const auto &popup = popupTree();
    addRows(this, mnupopMenu, popup.begin(), popup.end(), shortcuts);
    // The platform's text-box keys for cut, copy and paste run the same commands, with
    // the same enabling; the menus show the first key only.
    const std::pair<const char *, const char *> kTextBoxKeys[] = {
        {"mnuKiru", "Shift+Del"}, {"mnuCopy", "Ctrl+Ins"}, {"mnuPaest", "Shift+Ins"}};
    for (const auto &[name, key] : kTextBoxKeys) {
        auto *action = findChild<QAction *>(QLatin1StringView(name));
        const QKeySequence extra(QLatin1StringView(key), QKeySequence::PortableText);
        action->setShortcuts(QList<QKeySequence>{action->shortcut(), extra});
        shortcuts.append(extra);
    }
    Text1->setReservedShortcuts(shortcuts);
    for (QAction *action : findChildren<QAction *>()) {
        if (!action->objectName().isEmpty() && !m_items.contains(action->objectName()))
            m_items.insert(action->objectName(), action);
    }
}

QAction *Form1::item(const QString &name) const
{
    return m_items.value(name);
}

void Form1::setItemsEnabled(const QStringList &names, bool enabled)
{
    for (const QString &name : names)
        item(name)->setEnabled(enabled);
}

void Form1::setCaption(const QString &text)
{
    m_caption = text;
    // Qt takes "[*]" in a title for its modified marker; doubled, it shows as typed.
    QString title = text;
    setWindowTitle(title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
}

void Form1::setFrameGeometry(const QRect &frame)
{
    m_restoredFrame = frame;
    const QSize margins = frameGeometry().size() - size();
    move(frame.topLeft());
    resize(frame.size() - margins);
}

void Form1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The icon is set once the first frame is on the screen: reading its images starts
    // with a look through Qt's image plugins, a few milliseconds the text waits for
    // otherwise.
    if (!m_iconSet)
        windowHandle()->installEventFilter(this);
    if (!m_restoredFrame.isValid())
        return;
    // The frame's size is known only once the window manager has framed the window,
    // some time after it is shown; until then the stored outer size was applied to the
    // client area. Without a window manager there is no frame and nothing to correct.
    const QRect frame = m_restoredFrame;
    m_restoredFrame = QRect();
    // Looked for every 20 ms for up to a second; a window manager frames far sooner.
    constexpr auto kFramePollInterval = std::chrono::milliseconds(20);
    constexpr int kFramePolls = 50;
    auto *timer = new QTimer(this);
    timer->setInterval(kFramePollInterval);
    connect(timer, &QTimer::timeout, this, [this, timer, frame, tries = 0]() mutable {
        const bool framed = frameGeometry().size() != size();
        if (framed) {
            move(frame.topLeft());
            resize(frame.size() - (frameGeometry().size() - size()));
        }
        if (framed || ++tries == kFramePolls) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}
