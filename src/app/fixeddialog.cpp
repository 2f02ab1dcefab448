// Fixed-border dialogs positioned in twips.
#include "app/fixeddialog.h"

#include "app/twips.h"

#include <QKeyEvent>

FixedDialog::FixedDialog(QWidget *parent, const QString &caption, int widthTwips,
                         int heightTwips)
    : QDialog(parent)
{
    setWindowTitle(caption);
    setFixedSize(twips::toPixelsX(this, widthTwips), twips::toPixelsY(this, heightTwips));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void FixedDialog::place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(twips::rect(this, left, top, width, height));
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
