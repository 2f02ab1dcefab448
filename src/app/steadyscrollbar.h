// A scroll bar that is drawn again for a change of its range or page step only when it
// would look different.
#pragma once

#include <QRect>
#include <QScrollBar>

#include <optional>

class SteadyScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    using QScrollBar::QScrollBar;

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent *e) override;

private:
    // What a change of the range or page step can alter in the drawing: where the slider
    // stands and how long it is, and whether either end is reached (styles grey out an
    // arrow there).
    struct Look
    {
        QRect slider;
        bool atMinimum;
        bool atMaximum;
        bool operator==(const Look &) const = default;
    };
    Look look() const;

    std::optional<Look> m_drawn;
};
