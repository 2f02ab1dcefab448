// Everything the main window remembers about its one document and the current run.
#pragma once

#include "document/documentformat.h"

#include <QString>
#include <array>

struct EditorState
{
    QString commandPath;
    bool isModified = false;
    int insertAtCaret = 0;
    bool isUntitled = true;
    QString documentPath;
    documentformat::Form documentForm; // how the document's file is stored
    QString backupPath;
    int undoSlot = 1; // which snapshot the next change writes: 1 or 2
    QString programDir;
    std::array<QString, 2> undoTexts; // slots 1 and 2 at indices 0 and 1
    QString lastAnswer;               // decimal answer code of the last prompt
    QString recoveryBuffer;
};
