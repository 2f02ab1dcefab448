// Fixed-border dialogs positioned in twips.
#include "app/fixeddialog.h"

#include "app/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FixedDialog::FixedDialog(QWidget *parent, const QString &caption, int widthTwips, int heightTwips)
    : QDialog(parent)
{
    setWindowTitle(caption);
    setFixedSize(twips::toPixelsX(this, widthTwips), twips::toPixelsY(this, heightTwips));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void FixedDialog::place(QWidget *control, const char *name, int left, int top, int width,
                        int height)
{
    control->setObjectName(QLatin1StringView(name));
    control->setGeometry(twips::rect(this, left, top, width, height));
}

void FixedDialog::setTabChain(std::initializer_list<QWidget *> controls)
{
    QWidget *previous = nullptr;
    for (QWidget *control : controls) {
        if (previous)
            setTabOrder(previous, control);
        if (auto *button = qobject_cast<QPushButton *>(control))
            button->setAutoDefault(false);
        previous = control;
    }
}

namespace {

bool sameRow(const QRect &a, const QRect &b)
{
    return a.top() < b.bottom() && b.top() < a.bottom();
}

// The space kept between a caption and the control on its right.
constexpr int kGap = 4;

// The nearest control to the right of control on its row, or nullptr.
const QWidget *rightNeighbour(const QWidget *control)
{
    const QRect r = control->geometry();
    const QWidget *nearest = nullptr;
    for (const QObject *child : control->parentWidget()->children()) {
        const auto *sibling = qobject_cast<const QWidget *>(child);
        if (sibling && sibling != control && sameRow(sibling->geometry(), r) &&
            sibling->x() >= r.right() && (!nearest || sibling->x() < nearest->x()))
            nearest = sibling;
    }
    return nearest;
}

// A caption wider than its place uses the room beside it: up to its container's edge,
// or, before a control on its right, moved left as far as needed to end a few pixels
// before it (never past the container's edge).
void fitCaption(QWidget *control)
{
    QRect r = control->geometry();
    const int wanted = control->sizeHint().width();
    if (wanted <= r.width())
        return;
    const QWidget *neighbour = rightNeighbour(control);
    const int right = neighbour ? neighbour->x() - kGap : control->parentWidget()->width() - kGap;
    const int left = neighbour ? qBound(kGap, right - wanted, r.left()) : r.left();
    if (right - left <= r.width() && left == r.left())
        return;
    r.setLeft(left);
    r.setRight(qMin(right, left + wanted) - 1);
    control->setGeometry(r);
}

// A label beside a one-line box shows its text on the line of the box's text, as the
// platform draws a label's text from the top of its place.
void alignWithBox(QLabel *label)
{
    for (const QObject *child : label->parentWidget()->children()) {
        const auto *box = qobject_cast<const QLineEdit *>(child);
        if (!box || qAbs(box->y() - label->y()) > 1)
            continue;
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setContentsMargins(0, qMax(0, (box->height() - label->fontMetrics().height()) / 2),
                                  0, 0);
        return;
    }
}

} // namespace

void FixedDialog::showEvent(QShowEvent *e)
{
    // The font is set and the captions fitted when first shown: the dialogs that hold
    // settings are created hidden at start-up, where a font of their own would be read
    // for nothing (a one-line box lays out its text as soon as it is made).
    if (!m_fitted) {
        m_fitted = true;
        // The layout in twips was made for a proportional 9-point Japanese UI font; the
        // fixed-pitch gothics would set captions and typed Latin text as on a typewriter.
        QFont uiFont = font();
        uiFont.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                            QStringLiteral("VL PGothic"), QStringLiteral("IPAGothic"),
                            uiFont.family()});
        uiFont.setPointSize(9);
        setFont(uiFont);
        for (QWidget *control : findChildren<QWidget *>()) {
            if (qobject_cast<QLineEdit *>(control) || !control->parentWidget())
                continue;
            if (auto *label = qobject_cast<QLabel *>(control))
                alignWithBox(label);
            fitCaption(control);
        }
    }
    QDialog::showEvent(e);
}

void FixedDialog::keyPressEvent(QKeyEvent *e)
{
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    // No button is the default or the cancel button, but a focused button is pressed by
    // Enter as by Space.
    if (enter) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}
