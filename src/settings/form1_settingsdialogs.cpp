// The main window's side of the options and registered-text dialogs: they exist hidden
// whenever something reads their controls, and are destroyed when closed.
#include "app/form1.h"
#include "settings/form4.h"
#include "settings/form7.h"

Form7 *Form1::form7()
{
    if (!m_form7) {
        // Set before loading: the load touches the dialog's controls, which must find
        // this one rather than create another.
        m_form7 = new Form7(*this);
        m_form7->Form_Load();
    }
    return m_form7;
}

Form4 *Form1::form4()
{
    if (!m_form4) {
        m_form4 = new Form4(*this);
        m_form4->Form_Load();
    }
    return m_form4;
}

Form4 *Form1::madeForm4() const
{
    return m_form4;
}

void Form1::mnuOption_Click()
{
    form7()->exec();
    delete m_form7;
}

void Form1::mnuTouMoziConfing_Click()
{
    form4()->exec();
    delete m_form4;
}
