// The desktop's style, with the icons Qt makes for widgets at start-up but rarely shows
// made when first drawn.
#pragma once

#include <QProxyStyle>

class DeferredIconStyle : public QProxyStyle
{
    Q_OBJECT
public:
    /// Wraps base, the style the application would use, and takes it over.
    explicit DeferredIconStyle(QStyle *base) : QProxyStyle(base) {}

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
