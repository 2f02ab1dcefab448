// The search menu: the find dialog, find next and the replace dialog.
#include "app/form1.h"
#include "search/form2.h"
#include "search/form3.h"

Form2 *Form1::form2()
{
    if (!m_form2)
        m_form2 = new Form2(*this, m_searchText);
    return m_form2;
}

void Form1::mnuKensaku_Click()
{
    form2()->show();
    m_form2->raise();
    m_form2->activateWindow();
}

void Form1::mnuKensaku2_Click()
{
    form2()->sagasu();
}

void Form1::mnuOki_Click()
{
    if (!m_form3)
        m_form3 = new Form3(*this);
    m_form3->show();
    m_form3->raise();
    m_form3->activateWindow();
}
