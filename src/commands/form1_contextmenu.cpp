// The context menu: the hidden menu shown at the pointer when the right button goes
// down on the text area. Its items run their main-menu twins.
#include "app/form1.h"

#include <QMenu>

void Form1::Text1_MouseDown(Qt::MouseButton button, const QPoint &pos)
{
    if (button != Qt::RightButton)
        return;
    mnupopMenu->exec(pos);
}
