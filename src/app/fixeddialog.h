// A dialog of fixed size laid out in twips, where Enter and Esc carry no meaning.
#pragma once

#include <QDialog>
#include <initializer_list>

class FixedDialog : public QDialog
{
    Q_OBJECT
public:
    FixedDialog(QWidget *parent, const QString &caption, int widthTwips, int heightTwips);

    /// Names a control and places it at left, top, width, height in twips inside its
    /// parent.
    void place(QWidget *control, const char *name, int left, int top, int width, int height);

    /// The tab order of the dialog's controls; buttons among them never act as the
    /// default button.
    void setTabChain(std::initializer_list<QWidget *> controls);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    bool m_fitted = false;
};
