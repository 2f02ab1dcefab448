// The shared common-dialog object of the main window: open, save, font, colour and
// printer dialogs whose properties persist from one use to the next. Tests replace the
// dialogs themselves with setCommonDialogUi().
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <exception>
#include <memory>

class QWidget;
class QPrinter;

namespace platform {

/// Raised by a Show operation when the user cancels and CancelError is set.
struct CancelError : std::exception
{
    const char *what() const noexcept override { return "cancelled"; }
};

/// Flags of the file dialogs. Read-only check box of the open dialog, in and out.
constexpr int kReadOnlyFlag = 0x1;
constexpr int kOverwritePromptFlag = 0x2;
constexpr int kHideReadOnlyFlag = 0x4;
constexpr int kPathMustExistFlag = 0x800;

/// Flags of the printer dialogs.
constexpr int kNoSelectionFlag = 0x4;
constexpr int kPrintSetupFlag = 0x40;
constexpr int kDriverCopiesFlag = 0x40000;
constexpr int kHidePrintToFileFlag = 0x100000;

/// Flags of the font dialog: screen and printer fonts.
constexpr int kScreenFontsFlag = 0x1;
constexpr int kPrinterFontsFlag = 0x2;

/// Flags of the colour dialog: start on the preset colour, no custom-colour part.
constexpr int kPresetColorFlag = 0x1;
constexpr int kNoCustomColorsFlag = 0x4;

/// A list shown below the file name of the open and save dialogs (the encoding, the line
/// ends): its label, its items and the chosen index, in and out. No items, no list.
struct FileChoice
{
    QString label;
    QStringList items;
    int index = 0;
};

/// What the dialogs themselves do; every call returns false on Cancel.
class CommonDialogUi
{
public:
    virtual ~CommonDialogUi() = default;
    virtual bool open(QWidget *parent, const QString &qtFilter, QString &fileName, bool &readOnly,
                      QList<FileChoice> &choices) = 0;
    /// flags: kOverwritePromptFlag asks before replacing a file, kPathMustExistFlag
    /// refuses a name in a folder that does not exist.
    virtual bool save(QWidget *parent, const QString &qtFilter, QString &fileName, int flags,
                      QList<FileChoice> &choices) = 0;
    virtual bool font(QWidget *parent, QFont &font) = 0;
    virtual bool color(QWidget *parent, QColor &color) = 0;
    virtual bool printer(QWidget *parent, QPrinter &printer, bool setupOnly) = 0;
};

void setCommonDialogUi(CommonDialogUi *ui);

/// Turns "desc|pattern;pattern|desc|pattern" into Qt's "desc (pattern pattern);;…";
/// "*.*" lists every file, as it does on the platform the filters were written for.
QString qtFilterFrom(const QString &filter);

class CommonDialog
{
public:
    explicit CommonDialog(QWidget *owner);
    ~CommonDialog();

    QString FileName;
    QString Filter;
    /// The lists of the open and save dialogs, one row each; the indexes come back chosen.
    QList<FileChoice> Choices;
    int Flags = 0;
    bool CancelError = false;
    int Color = 0;
    QString FontName;
    double FontSize = 0;
    bool FontBold = false;
    bool FontItalic = false;
    /// The PDF file the print dialog was last given to propose; while the printer still
    /// names it, the user has not chosen another.
    QString ProposedOutputFile;

    void ShowOpen();
    void ShowSave();
    void ShowFont();
    void ShowColor();
    void ShowPrinter();

    /// The printer object the printer dialogs set up.
    QPrinter &printer();

private:
    void cancelled() const;

    QWidget *m_owner;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace platform
