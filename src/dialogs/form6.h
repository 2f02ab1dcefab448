// The break window: the program's icon drifting over a background picture.
#pragma once

#include "dialogs/breakmotion.h"

#include <QDialog>
#include <QImage>
#include <QRandomGenerator>

class QLabel;
class QTimer;

class Form6 : public QDialog
{
    Q_OBJECT
public:
    explicit Form6(QWidget *parent);

    QLabel *Image1;
    QTimer *Timer1;

    breakmotion::Position position() const { return m_position; }
    void Timer1_Timer();

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    void place();

    QImage m_background;
    QRandomGenerator m_random;
    breakmotion::Position m_position;
};
