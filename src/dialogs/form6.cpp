// The break window: 9540 × 7080 twips, sizable; the picture is drawn once at the top
// left at its natural size, and the motion's bounds stay in twips whatever the size.
#include "dialogs/form6.h"

#include "app/appicon.h"
#include "app/twips.h"

#include <QDateTime>
#include <QLabel>
#include <QPainter>
#include <QTimer>

Form6::Form6(QWidget *parent)
    : QDialog(parent), m_background(QStringLiteral(":/break.jpg"), "JPG"),
      // Seeded anew for each opening, so that every opening gives other heights.
      m_random(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()))
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("息抜き・・・"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (parent)
        setWindowIcon(parent->windowIcon());
    resize(twips::toPixelsX(this, 9540), twips::toPixelsY(this, 7080));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(appicon::pixmap(32, devicePixelRatioF()));
    Image1->resize(twips::toPixelsX(this, 480), twips::toPixelsY(this, 480));
    m_position =
        breakmotion::start([this] { return int(m_random.bounded(breakmotion::kHeightRange)); });
    place();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Form6::Timer1_Timer);
    Timer1->start();
}

void Form6::Timer1_Timer()
{
    m_position = breakmotion::tick(
        m_position, [this] { return int(m_random.bounded(breakmotion::kHeightRange)); });
    place();
}

void Form6::place()
{
    Image1->move(twips::toPixelsX(this, m_position.left), twips::toPixelsY(this, m_position.top));
}

void Form6::paintEvent(QPaintEvent *)
{
    QPainter(this).drawImage(0, 0, m_background);
}
