// A scroll bar that is drawn again for a change of its range or page step only when it
// would look different.
#include "app/steadyscrollbar.h"

#include <QStyle>
#include <QStyleOptionSlider>

void SteadyScrollBar::sliderChange(SliderChange change)
{
    // The text area sets the horizontal range again whenever its longest line's width
    // changes, and Qt redraws the bar for it, though a keystroke rarely moves the slider
    // by a pixel. A change of value goes through always: the bar stops repeating a page
    // step there.
    if ((change == SliderRangeChange || change == SliderStepsChange) && m_drawn &&
        *m_drawn == look())
        return;
    QScrollBar::sliderChange(change);
}

void SteadyScrollBar::paintEvent(QPaintEvent *e)
{
    m_drawn = look();
    QScrollBar::paintEvent(e);
}

SteadyScrollBar::Look SteadyScrollBar::look() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return {
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
        value() == minimum(), value() == maximum()};
}
