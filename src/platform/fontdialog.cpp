// The font dialog: face, style and size lists, a live sample, and the checks of OK.
#include "platform/fontdialog.h"

#include "platform/fontnames.h"
#include "platform/fontsizes.h"
#include "platform/messagebox.h"
#include "platform/okcancel.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace platform {
namespace {

// Index = italic + 2 × bold.
const QStringList kStyles = {QStringLiteral("標準"), QStringLiteral("斜体"), QStringLiteral("太字"),
                             QStringLiteral("太字 斜体")};

const QString kSampleText = QStringLiteral("Aaあぁアァ亜宇");

// A line edit over a list: choosing in the list fills the edit.
QListWidget *listUnder(QLineEdit *edit, const QStringList &items)
{
    auto *list = new QListWidget;
    list->addItems(items);
    QObject::connect(list, &QListWidget::currentTextChanged, edit, [edit](const QString &text) {
        if (!text.isEmpty() && edit->text() != text)
            edit->setText(text);
    });
    return list;
}

// The list item whose text is text, ignoring case, or whose face's family is; the list's
// selection follows it.
void selectMatching(QListWidget *list, const QString &text)
{
    QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchFixedString);
    for (int i = 0; found.isEmpty() && i < list->count(); ++i) {
        if (list->item(i)->data(Qt::UserRole).toString().compare(text, Qt::CaseInsensitive) == 0)
            found.append(list->item(i));
    }
    const QSignalBlocker blocker(list);
    if (found.isEmpty()) {
        list->clearSelection();
        list->setCurrentItem(nullptr);
        return;
    }
    list->setCurrentItem(found.constFirst());
    list->scrollToItem(found.constFirst());
}

QLabel *labelFor(const QString &caption, QWidget *buddy)
{
    auto *label = new QLabel(caption);
    label->setBuddy(buddy);
    return label;
}

} // namespace

FontDialog::FontDialog(const QFont &font, QWidget *parent)
    : QDialog(parent), m_face(new QLineEdit), m_style(new QLineEdit), m_size(new QLineEdit),
      m_sample(new QLabel(kSampleText)), m_presetFace(font.family()), m_lastSize(font.pointSizeF())
{
    setWindowTitle(QStringLiteral("フォント"));
    QStringList shownFaces;
    const QList<ListedFace> faces =
        listedFaces(QFontDatabase::families(), QFontDatabase::families(QFontDatabase::Japanese),
                    japaneseFamilyNames());
    for (const ListedFace &face : faces)
        shownFaces.append(face.shown);
    m_faces = listUnder(m_face, shownFaces);
    // Each item keeps the family that selects its face.
    for (int i = 0; i < m_faces->count(); ++i)
        m_faces->item(i)->setData(Qt::UserRole, faces.at(i).family);
    m_styles = listUnder(m_style, kStyles);
    QStringList sizes;
    for (double size : fontsizes::listed())
        sizes.append(fontsizes::shown(size));
    m_sizes = listUnder(m_size, sizes);
    m_style->setReadOnly(true);
    m_style->setFocusPolicy(Qt::NoFocus);

    m_face->setAccessibleName(QStringLiteral("フォント名"));
    m_faces->setAccessibleName(QStringLiteral("フォント名の一覧"));
    m_style->setAccessibleName(QStringLiteral("スタイル"));
    m_styles->setAccessibleName(QStringLiteral("スタイルの一覧"));
    m_size->setAccessibleName(QStringLiteral("サイズ"));
    m_sizes->setAccessibleName(QStringLiteral("サイズの一覧"));
    m_sample->setAccessibleName(QStringLiteral("サンプル"));

    auto *grid = new QGridLayout;
    grid->addWidget(labelFor(QStringLiteral("フォント名(&F):"), m_face), 0, 0);
    grid->addWidget(labelFor(QStringLiteral("スタイル(&Y):"), m_styles), 0, 1);
    grid->addWidget(labelFor(QStringLiteral("サイズ(&S):"), m_size), 0, 2);
    grid->addWidget(m_face, 1, 0);
    grid->addWidget(m_style, 1, 1);
    grid->addWidget(m_size, 1, 2);
    grid->addWidget(m_faces, 2, 0);
    grid->addWidget(m_styles, 2, 1);
    grid->addWidget(m_sizes, 2, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);

    auto *sampleBox = new QGroupBox(QStringLiteral("サンプル"));
    auto *sampleLayout = new QVBoxLayout(sampleBox);
    m_sample->setAlignment(Qt::AlignCenter);
    // A large size is clipped rather than growing the dialog.
    m_sample->setFixedHeight(80);
    sampleLayout->addWidget(m_sample);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(sampleBox);
    layout->addWidget(okCancelButtons(this));

    setTabOrder(m_face, m_faces);
    setTabOrder(m_faces, m_styles);
    setTabOrder(m_styles, m_size);
    setTabOrder(m_size, m_sizes);

    connect(m_face, &QLineEdit::textChanged, this, &FontDialog::faceTyped);
    connect(m_size, &QLineEdit::textChanged, this, &FontDialog::sizeTyped);
    connect(m_style, &QLineEdit::textChanged, this, &FontDialog::updateSample);

    m_face->setText(font.family());
    m_style->setText(kStyles.at(int(font.italic()) + 2 * int(font.bold())));
    selectMatching(m_styles, m_style->text());
    m_size->setText(fontsizes::shown(font.pointSizeF()));
    updateSample();
    resize(560, 420);
}

void FontDialog::faceTyped(const QString &text)
{
    selectMatching(m_faces, text);
    updateSample();
}

void FontDialog::sizeTyped(const QString &text)
{
    if (const auto size = fontsizes::parse(text)) {
        m_lastSize = *size;
        selectMatching(m_sizes, fontsizes::shown(*size));
    } else {
        selectMatching(m_sizes, QString());
    }
    updateSample();
}

QFont FontDialog::currentFont() const
{
    // A face typed in another case takes the installed face's own spelling; the preset
    // face stays as it was given.
    const QString typed = m_face->text().trimmed();
    const QListWidgetItem *listedFace = m_faces->currentItem();
    QFont font(listedFace && typed != m_presetFace ? listedFace->data(Qt::UserRole).toString()
                                                   : typed);
    font.setPointSizeF(m_lastSize);
    const int style = std::max(0, int(kStyles.indexOf(m_style->text())));
    font.setItalic(style & 1);
    font.setBold(style & 2);
    return font;
}

void FontDialog::updateSample()
{
    m_sample->setFont(currentFont());
}

QFont FontDialog::chosenFont() const
{
    return currentFont();
}

void FontDialog::accept()
{
    if (m_face->text().trimmed().isEmpty()) {
        MsgBox(this, QStringLiteral("フォント名を入力してください。"), Buttons::Ok,
               Icon::Exclamation);
        m_face->setFocus();
        return;
    }
    if (!fontsizes::parse(m_size->text())) {
        MsgBox(this,
               QStringLiteral("サイズには %1 から %2 までの数値を入力してください。")
                   .arg(fontsizes::kSmallest)
                   .arg(fontsizes::kLargest),
               Buttons::Ok, Icon::Exclamation);
        m_size->setFocus();
        m_size->selectAll();
        return;
    }
    QDialog::accept();
}

} // namespace platform
