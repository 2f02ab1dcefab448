// The main window: one text area, seven menus and the hidden context menu. Its
// handlers are defined in the folder of the feature each belongs to.
#pragma once

#include "app/editorstate.h"
#include "platform/commondialog.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QRandomGenerator>
#include <QStringList>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class RecoverySession;
class TextArea;
class Form2;
class Form3;
class Form4;
class Form7;

class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    /// The load handler: settings, caption, enabling, recovery, the command line. Runs
    /// once, before the window is first shown.
    void Form_Load(const QString &commandLine);

    TextArea *Text1;
    platform::CommonDialog CommonDialog1;
    EditorState state;
    QMenu *mnupopMenu;

    /// The menu item (or submenu's item) of that name.
    QAction *item(const QString &name) const;

    /// The dialogs whose controls hold settings (the options, the registered texts):
    /// created hidden when missing, and their creation loads their settings group from
    /// Conf.ini, so that reading an option always finds it loaded.
    Form7 *form7();
    Form4 *form4();
    /// The registered-text dialog if it is made, else null. The texts themselves are the
    /// menu captions: the dialog is made when it is opened, not at start-up.
    Form4 *madeForm4() const;
    /// The find dialog, created hidden when missing.
    Form2 *form2();

    // Document procedures.
    /// Opens path, read in encoding when given, else in the encoding its bytes show.
    void OpenDocument(const QString &path, std::optional<platform::Charset> encoding = {});
    void load();
    /// Save As: asks for a name (CancelError when the user cancels), writes the text
    /// there and makes it the document; false when the write failed (the user was told).
    bool NewSave();
    /// Writes the text to path in the document's form, or in form; asks first about
    /// characters the encoding cannot hold, reports a failure to the user and returns
    /// false.
    bool writeDocument(const QString &path);
    bool writeDocument(const QString &path, const documentformat::Form &form);
    /// Sets how the document is stored and shows it in the status bar.
    void setDocumentForm(const documentformat::Form &form);

    // Registered texts and menu captions.
    void setRegisteredCaption(int n, const QString &text);

    // Menu handlers.
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuOpen2_Click();
    void mnuSave_Click();
    void mnuAllsave_Click();
    void mnuHakiEnd_Click();
    void mnuHozonEnd_Click();
    void mnuMEnd_Click();
    void mnuBack_Click();
    void mnuKiru_Click();
    void mnuCopy_Click();
    void mnuKiru2_Click();
    void mnuCopy2_Click();
    void mnuPaest_Click();
    void mnuInPaste_Click();
    void mnuClip_Click();
    void mnuDel_Click();
    void mnuAll_Click();
    void mnuDatet_Click();
    void mnuSen_Click();
    void mnuKomozi_Click();
    void mnuOmozi_Click();
    void mnuEnglish_Click();
    void mnuHira_Click();
    void mnuKata_Click();
    void mnuHan_Click();
    void mnuZen_Click();
    void mnuKensaku_Click();
    void mnuKensaku2_Click();
    void mnuOki_Click();
    void mnuTouMozi1_Click();
    void mnuTouMozi2_Click();
    void mnuTouMozi3_Click();
    void mnuTouMozi4_Click();
    void mnuTouMozi5_Click();
    void mnuTouMoziConfing_Click();
    void mnuGoMouseTop_Click();
    void mnuGoMouseLast_Click();
    void mnuMozi_Click();
    void mnuRandom_Click();
    void mnuLocked_Click();
    void mnuOption_Click();
    void mnuFont_Click();
    void mnuFontcolor_Click();
    void mnuBackcolor_Click();
    void mnuShowM_Click();
    void mnuHtmlT_Click();
    void mnuHeadT_Click();
    void mnuTitleT_Click();
    void mnuBodyT_Click();
    void mnuAllT_Click();
    void mnuBrT_Click();
    void mnuImageT_Click();
    void mnuRinkT_Click();
    void mnuFontT_Click();
    void mnuHutoT_Click();
    void mnuItaT_Click();
    void mnuUnderT_Click();
    void mnuSenT_Click();
    void mnuIE_Click();
    void mnuPagestyle_Click();
    void mnuPrint_Click();
    void mnuHelp2_Click();
    void mnuBazyon_Click();
    void mnuIki_Click();

    /// The change handler of the text area.
    void Text1_Change();
    /// A mouse button went down on the text area (or the keyboard asked for the context
    /// menu): the right button shows the context menu at pos, in global coordinates.
    void Text1_MouseDown(Qt::MouseButton button, const QPoint &pos);
    /// The drop handler of the text area.
    void Text1_OLEDragDrop(const QStringList &files);

    /// Ends the program at once, without the closing handler.
    void endProgram();

    /// The caption exactly as composed, whatever the file name holds.
    void setCaption(const QString &text);

    /// Places the window so that its frame, title bar included, covers frame.
    void setFrameGeometry(const QRect &frame);

    /// Enables the browser preview when the document has a name the browser shows.
    void updatePreviewItem();

    /// Sets the enabled flag of every named item.
    void setItemsEnabled(const QStringList &names, bool enabled);
    /// Undo in both menus; the ten cut, copy, append and delete items.
    static const QStringList kUndoItems;
    static const QStringList kTextItems;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class RecoveryOutcome { NotOffered, Declined, Restored };

    void buildMenus();
    void insertRegistered(int n);
    void convertSelection(QString (*conversion)(const QString &));
    void chooseColor(int (TextArea::*get)() const, void (TextArea::*set)(int));
    /// The save prompt when the document is modified; false when the command must stop
    /// (Cancel, unless cancelGoesOn, or a save that was cancelled or failed).
    bool confirmDiscard(bool cancelGoesOn = false);
    /// Saves the document to its path, or through the save dialog while it is untitled;
    /// false when the dialog was cancelled or the write failed (the user was told).
    bool saveDocument();
    int askToSave();
    /// Removes this copy's recovery file, and no other.
    void deleteOwnBackup();
    void writeBackup(const QByteArray &bytes);
    RecoveryOutcome offerRecovery();
    void openCommandLine(const QString &commandLine);

    QPointer<Form7> m_form7;
    QPointer<Form4> m_form4;
    QPointer<Form2> m_form2;
    QPointer<Form3> m_form3;
    QString m_searchText; // the find dialog's search text, kept for the whole run
    QString m_caption;
    QLabel *m_formLabel;
    std::unique_ptr<RecoverySession> m_recovery; // none until the load handler runs
    bool m_ending = false;
    QRect m_restoredFrame;
    bool m_iconSet = false; // set after the first frame, see showEvent
    QHash<QString, QAction *> m_items;
    QRandomGenerator m_random;
};
