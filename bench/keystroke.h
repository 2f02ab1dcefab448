// The keystroke of the keystroke benchmarks: "a" typed, then erased, in turn, so that the
// text keeps its length however many iterations run; the events it causes are handled.
#pragma once

#include <QCoreApplication>
#include <QTest>

inline void typeOrErase(QWidget *area, int &keystrokes)
{
    QTest::keyClick(area, ++keystrokes % 2 ? Qt::Key_A : Qt::Key_Backspace);
    QCoreApplication::processEvents();
}
