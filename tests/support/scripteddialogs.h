// A common-dialog double: answers the open and save dialogs from a script and records
// what they were shown.
#pragma once

#include "platform/commondialog.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QQueue>

struct FileAnswer
{
    QString path; // empty: the user cancels
    bool readOnly = false;
    int choice = -1; // the encoding list's index chosen; -1 leaves it as shown
    QList<int> more; // the indexes chosen in the lists after it, the same way
};

class ScriptedDialogs : public platform::CommonDialogUi
{
public:
    ScriptedDialogs() { platform::setCommonDialogUi(this); }
    ~ScriptedDialogs() override { platform::setCommonDialogUi(nullptr); }

    QQueue<FileAnswer> files;
    QStringList proposedNames;
    QStringList filters;
    QList<QList<platform::FileChoice>> choices; // the lists as shown, one set per dialog
    int opened = 0;
    int saved = 0;

    bool open(QWidget *, const QString &filter, QString &fileName, bool &readOnly,
              QList<platform::FileChoice> &choices) override
    {
        ++opened;
        return answer(filter, fileName, &readOnly, choices);
    }

    bool save(QWidget *, const QString &filter, QString &fileName, int,
              QList<platform::FileChoice> &choices) override
    {
        ++saved;
        return answer(filter, fileName, nullptr, choices);
    }

    /// Font and colour answers; an empty queue cancels. What each dialog was preset with
    /// is recorded.
    QQueue<QFont> fonts;
    QQueue<QColor> colors;
    QList<QFont> presetFonts;
    QList<QColor> presetColors;

    bool font(QWidget *, QFont &font) override
    {
        presetFonts.append(font);
        if (fonts.isEmpty())
            return false;
        font = fonts.dequeue();
        return true;
    }
    bool color(QWidget *, QColor &color) override
    {
        presetColors.append(color);
        if (colors.isEmpty())
            return false;
        color = colors.dequeue();
        return true;
    }
    /// The printer dialogs answer OK when printerAccepts, Cancel otherwise.
    bool printerAccepts = false;
    bool printer(QWidget *, QPrinter &, bool) override { return printerAccepts; }

private:
    bool answer(const QString &filter, QString &fileName, bool *readOnly,
                QList<platform::FileChoice> &shown)
    {
        proposedNames.append(fileName);
        filters.append(filter);
        choices.append(shown);
        const FileAnswer a = files.isEmpty() ? FileAnswer{} : files.dequeue();
        if (a.path.isEmpty())
            return false;
        fileName = a.path;
        if (readOnly)
            *readOnly = a.readOnly;
        const QList<int> chosen = QList<int>{a.choice} + a.more;
        for (qsizetype i = 0; i < chosen.size() && i < shown.size(); ++i) {
            if (chosen.at(i) >= 0)
                shown[i].index = chosen.at(i);
        }
        return true;
    }
};
