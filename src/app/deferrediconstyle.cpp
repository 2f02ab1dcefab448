// The desktop's style, with the icons Qt makes for widgets at start-up but rarely shows
// made when first drawn.
#include "app/deferrediconstyle.h"

#include <QIconEngine>
#include <QPainter>

#include <functional>
#include <optional>

namespace {

// An icon made by a function the first time it is drawn or measured.
class DeferredIconEngine : public QIconEngine
{
public:
    explicit DeferredIconEngine(std::function<QIcon()> make) : m_make(std::move(make)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon &icon()
    {
        if (!m_icon)
            m_icon = m_make();
        return *m_icon;
    }

    std::function<QIcon()> m_make;
    std::optional<QIcon> m_icon;
};

} // namespace

QIcon DeferredIconStyle::standardIcon(StandardPixmap which, const QStyleOption *option,
                                      const QWidget *widget) const
{
    // Every menu bar makes the icon of the button it shows when its menus do not fit.
    // Qt reads it from PNGs with a reader left to find their format, which first asks
    // every image plugin, loading Qt's SVG library among them: two milliseconds and a
    // megabyte before the first frame, for a button a window rarely shows.
    if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
        return QIcon(
            new DeferredIconEngine([this, which] { return baseStyle()->standardIcon(which); }));
    return QProxyStyle::standardIcon(which, option, widget);
}
