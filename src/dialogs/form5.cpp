// The About dialog in twips, with its two engraved separators in the desktop palette.
#include "dialogs/form5.h"

#include "app/appicon.h"
#include "app/twips.h"
#include "dialogs/about.h"
#include "platform/clipboard.h"
#include "platform/colors.h"
#include "platform/messagebox.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

// One line of a separator, one pixel high, in a colour of the desktop palette.
class Line : public QWidget
{
public:
    Line(QWidget *parent, int colorValue) : QWidget(parent), m_colorValue(colorValue) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).fillRect(rect(), platform::colorFromValue(m_colorValue));
    }

private:
    int m_colorValue;
};

QString shown(const QString &crlfText)
{
    return QString(crlfText).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

Form5::Form5(QWidget *parent)
    : FixedDialog(parent, QStringLiteral("Vellit\u3000のバージョン情報"), 6945, 3840)
{
    setObjectName(QStringLiteral("Form5"));
    if (parent)
        setWindowIcon(parent->windowIcon());
    Picture1 = new QLabel(this);
    Picture1->setPixmap(appicon::pixmap(32, devicePixelRatioF()));
    Label1 = new QLabel(about::kProductLine, this);
    Label2 = new QLabel(about::kRights, this);
    Label3 = new QLabel(this);
    Label6 = new QLabel(this);
    Command1 = new QPushButton(QStringLiteral("アドレスコピー"), this);
    Command2 = new QPushButton(QStringLiteral("OK"), this);
    for (QLabel *label : {Label1, Label2, Label3, Label6}) {
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    place(Picture1, "Picture1", 480, 120, 480, 480);
    place(Label1, "Label1", 1560, 120, 3615, 255);
    place(Label2, "Label2", 2040, 480, 2295, 255);
    place(Label3, "Label3", 120, 960, 6735, 1335);
    place(Label6, "Label6", 120, 2520, 6855, 735);
    place(Command1, "Command1", 1800, 3360, 1455, 375);
    place(Command2, "Command2", 3480, 3360, 1335, 375);
    // Two engraved separators: a line in the inactive title bar's colour, and one in the
    // window background's colour a pixel below it.
    const int separators[] = {840, 2400};
    for (int y : separators) {
        auto *dark = new Line(this, platform::kSystemInactiveCaption);
        auto *light = new Line(this, platform::kSystemWindowBackground);
        dark->setGeometry(twips::rect(this, 120, y, 6600, 15));
        light->setGeometry(twips::rect(this, 120, y + 15, 6600, 15));
    }
    setTabChain({Picture1, Label1, Label2, Label3, Label6, Command1, Command2});
    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QDialog::accept);
    Form_Load();
}

void Form5::Form_Load()
{
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSize(15);
    Label1->setFont(bold);
    Label3->setText(shown(about::contactBlock()));
    Label6->setText(shown(about::notice()));
}

void Form5::Command1_Click()
{
    if (platform::MsgBox(this, QStringLiteral("アドレスをコピーしますか？"),
                         platform::Buttons::YesNo, platform::Icon::Question) == platform::IdYes)
        platform::setClipboardText(about::addresses());
}
