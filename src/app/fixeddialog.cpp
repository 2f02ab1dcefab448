// Fixed-border dialogs positioned in twips.
#include "app/fixeddialog.h"

#include "app/twips.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

FixedDialog::FixedDialog(QWidget *parent, const QString &caption, int widthTwips, int heightTwips)
    : QDialog(parent)
{
    setWindowTitle(caption);
    // The layout in twips was made for a 9-point Japanese UI font.
    QFont uiFont = font();
    uiFont.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
                        QStringLiteral("IPAPGothic"), QStringLiteral("VL Gothic"),
                        uiFont.family()});
    uiFont.setPointSize(9);
    setFont(uiFont);
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

void FixedDialog::showEvent(QShowEvent *e)
{
    // A caption wider than its place may use the room up to its container's edge, so
    // that it is never cut off. Measured only when first shown: the dialogs are created
    // hidden at start-up, where measuring text would load the font for nothing.
    if (!m_fitted) {
        m_fitted = true;
        for (QWidget *control : findChildren<QWidget *>()) {
            if (qobject_cast<QLineEdit *>(control) || !control->parentWidget())
                continue;
            QRect r = control->geometry();
            const int room = control->parentWidget()->width() - r.left() - 4;
            const int wanted = control->sizeHint().width();
            if (wanted > r.width() && room > r.width()) {
                r.setWidth(qMin(wanted, room));
                control->setGeometry(r);
            }
        }
    }
    QDialog::showEvent(e);
}

void FixedDialog::keyPressEvent(QKeyEvent *e)
{
    // No button is the default or the cancel button.
    if (e->key() == Qt::Key_Escape || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}
