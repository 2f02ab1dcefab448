// Qt's own file, font, colour and print dialogs behind the common-dialog object.
#include "platform/commondialog.h"

#include "platform/colors.h"
#include "platform/filecolumns.h"
#include "platform/fontdialog.h"
#include "platform/fontsizes.h"
#include "platform/pagesetupdialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>
#include <QTreeView>

namespace platform {
namespace {

// The file list's size, type and date columns fit their contents; the name takes the
// rest.
void fitFileColumns(QFileDialog &dialog)
{
    auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!view)
        return;
    QHeaderView *header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

// A save dialog that, with the path-must-exist flag, refuses a name in a folder that
// does not exist instead of accepting a path the save cannot use.
class SaveDialog final : public QFileDialog
{
public:
    SaveDialog(QWidget *parent, bool pathMustExist)
        : QFileDialog(parent), m_pathMustExist(pathMustExist)
    {
    }

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (m_pathMustExist && !files.isEmpty()) {
            const QFileInfo chosen(files.constFirst());
            if (!chosen.isDir() && !QFileInfo(chosen.absolutePath()).isDir()) {
                QMessageBox box(QMessageBox::Warning, windowTitle(),
                                chosen.absolutePath() +
                                    QStringLiteral("\nパスが存在しません。\n"
                                                   "パスが正しいかどうかを確認してください。"),
                                QMessageBox::Ok, this);
                box.setTextFormat(Qt::PlainText);
                box.exec();
                return;
            }
        }
        QFileDialog::accept();
    }

private:
    bool m_pathMustExist;
};

// The choice lists: a label and a combo box each, added as rows below the dialog's own
// controls. Returns the combo boxes, nullptr where there is nothing to choose.
QComboBox *addChoice(QFileDialog &dialog, const FileChoice &choice)
{
    auto *grid = qobject_cast<QGridLayout *>(dialog.layout());
    if (choice.items.isEmpty() || !grid)
        return nullptr;
    auto *combo = new QComboBox(&dialog);
    combo->addItems(choice.items);
    combo->setCurrentIndex(choice.index);
    auto *label = new QLabel(choice.label, &dialog);
    label->setBuddy(combo);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(combo, row, 1);
    return combo;
}

QList<QComboBox *> addChoices(QFileDialog &dialog, const QList<FileChoice> &choices)
{
    QList<QComboBox *> combos;
    for (const FileChoice &choice : choices)
        combos.append(addChoice(dialog, choice));
    return combos;
}

// What the open and the save dialog share: Qt's own dialog, whose texts the program
// has in Japanese, the filter without its patterns, the proposed name, and the file list
// with its columns fitted and formatted the Japanese way.
void setUpFileDialog(QFileDialog &dialog, QFileDialog::AcceptMode mode, const QString &qtFilter,
                     const QString &fileName)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setProxyModel(new FileColumns(&dialog));
    dialog.setNameFilter(qtFilter);
    dialog.selectFile(fileName);
    fitFileColumns(dialog);
}

// Shows the dialog; once a file is chosen, its name and each list's chosen item.
bool runFileDialog(QFileDialog &dialog, const QList<QComboBox *> &combos, QString &fileName,
                   QList<FileChoice> &choices)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    fileName = dialog.selectedFiles().constFirst();
    for (qsizetype i = 0; i < combos.size(); ++i) {
        if (combos.at(i))
            choices[i].index = combos.at(i)->currentIndex();
    }
    return true;
}

class QtCommonDialogUi final : public CommonDialogUi
{
public:
    bool open(QWidget *parent, const QString &qtFilter, QString &fileName, bool &readOnly,
              QList<FileChoice> &choices) override
    {
        QFileDialog dialog(parent);
        dialog.setFileMode(QFileDialog::ExistingFile);
        setUpFileDialog(dialog, QFileDialog::AcceptOpen, qtFilter, fileName);
        const QList<QComboBox *> combos = addChoices(dialog, choices);
        // The read-only box: a check box added below the dialog's own controls.
        auto *box = new QCheckBox(QStringLiteral("読み取り専用で開く(&R)"), &dialog);
        box->setChecked(readOnly);
        if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
            grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
        if (!runFileDialog(dialog, combos, fileName, choices))
            return false;
        readOnly = box->isChecked();
        return true;
    }

    bool save(QWidget *parent, const QString &qtFilter, QString &fileName, int flags,
              QList<FileChoice> &choices) override
    {
        SaveDialog dialog(parent, flags & kPathMustExistFlag);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !(flags & kOverwritePromptFlag));
        dialog.setFileMode(QFileDialog::AnyFile);
        setUpFileDialog(dialog, QFileDialog::AcceptSave, qtFilter, fileName);
        return runFileDialog(dialog, addChoices(dialog, choices), fileName, choices);
    }

    bool font(QWidget *parent, QFont &font) override
    {
        FontDialog dialog(font, parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        const QFont chosen = dialog.chosenFont();
        font.setFamily(chosen.family());
        font.setPointSizeF(chosen.pointSizeF());
        font.setBold(chosen.bold());
        font.setItalic(chosen.italic());
        return true;
    }

    bool color(QWidget *parent, QColor &color) override
    {
        const QColor chosen =
            QColorDialog::getColor(color, parent, QString(), QColorDialog::DontUseNativeDialog);
        if (!chosen.isValid())
            return false;
        color = chosen;
        return true;
    }

    bool printer(QWidget *parent, QPrinter &printer, bool setupOnly) override
    {
        if (setupOnly) {
            PageSetupDialog dialog(printer, parent);
            return dialog.exec() == QDialog::Accepted;
        }
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        // Printing to a PDF file stays possible, also with no printer installed.
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        return dialog.exec() == QDialog::Accepted;
    }
};

QtCommonDialogUi realUi;
CommonDialogUi *currentUi = &realUi;

} // namespace

void setCommonDialogUi(CommonDialogUi *ui)
{
    currentUi = ui ? ui : &realUi;
}

QString qtFilterFrom(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(u';');
        for (QString &pattern : patterns) {
            if (pattern == QStringLiteral("*.*"))
                pattern = QStringLiteral("*");
        }
        entries.append(parts.at(i) + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return entries.join(QStringLiteral(";;"));
}

CommonDialog::CommonDialog(QWidget *owner) : m_owner(owner) {}

CommonDialog::~CommonDialog() = default;

void CommonDialog::cancelled() const
{
    if (CancelError)
        throw platform::CancelError();
}

void CommonDialog::ShowOpen()
{
    QString name = FileName;
    // The read-only box always starts unticked; its state comes back in Flags.
    bool readOnly = false;
    if (!currentUi->open(m_owner, qtFilterFrom(Filter), name, readOnly, Choices))
        return cancelled();
    FileName = name;
    Flags = readOnly ? (Flags | kReadOnlyFlag) : (Flags & ~kReadOnlyFlag);
}

void CommonDialog::ShowSave()
{
    QString name = FileName;
    if (!currentUi->save(m_owner, qtFilterFrom(Filter), name, Flags, Choices))
        return cancelled();
    FileName = name;
}

void CommonDialog::ShowFont()
{
    QFont font(FontName);
    font.setPointSizeF(FontSize > 0 ? FontSize : fontsizes::kDefaultSize);
    font.setBold(FontBold);
    font.setItalic(FontItalic);
    if (!currentUi->font(m_owner, font))
        return cancelled();
    FontName = font.family();
    FontSize = font.pointSizeF();
    FontBold = font.bold();
    FontItalic = font.italic();
}

void CommonDialog::ShowColor()
{
    QColor color = colorFromValue(Color);
    if (!currentUi->color(m_owner, color))
        return cancelled();
    Color = valueFromColor(color);
}

void CommonDialog::ShowPrinter()
{
    if (!currentUi->printer(m_owner, printer(), Flags & kPrintSetupFlag))
        return cancelled();
}

QPrinter &CommonDialog::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    return *m_printer;
}

} // namespace platform
