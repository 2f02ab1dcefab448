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
};

class ScriptedDialogs : public platform::CommonDialogUi
{
public:
    ScriptedDialogs() { platform::setCommonDialogUi(this); }
    ~ScriptedDialogs() override { platform::setCommonDialogUi(nullptr); }

    QQueue<FileAnswer> files;
    QStringList proposedNames;
    QStringList filters;
    int opened = 0;
    int saved = 0;

    bool open(QWidget *, const QString &filter, QString &fileName, bool &readOnly) override
    {
        ++opened;
        return answer(filter, fileName, &readOnly);
    }

    bool save(QWidget *, const QString &filter, QString &fileName, int) override
    {
        ++saved;
        return answer(filter, fileName, nullptr);
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
    bool printer(QWidget *, QPrinter &, bool) override { return false; }

private:
    bool answer(const QString &filter, QString &fileName, bool *readOnly)
    {
        proposedNames.append(fileName);
        filters.append(filter);
        const FileAnswer a = files.isEmpty() ? FileAnswer{} : files.dequeue();
        if (a.path.isEmpty())
            return false;
        fileName = a.path;
        if (readOnly)
            *readOnly = a.readOnly;
        return true;
    }
};
