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
    static constexpr int kUndoSlots = 2;
    std::array<QString, kUndoSlots> undoTexts; // slots 1 and 2 at indices 0 and 1

    // The one-step undo. Every change stores the text after it in the slot undoSlot
    // names and makes the other slot next, so the next slot holds the text before the
    // last change: undo brings that back, and undo again (a change itself) redoes.
    void recordUndoSnapshot(const QString &textAfterChange)
    {
        undoTexts[undoSlot - 1] = textAfterChange;
        undoSlot = undoSlot == 1 ? 2 : 1;
    }
    const QString &textBeforeLastChange() const { return undoTexts[undoSlot - 1]; }
    void resetUndo() { undoSlot = 1; }

    /// How many of a run's last changes, made again, leave the snapshots as the whole run
    /// of changes would: the same slot next (the same parity) and the last two texts.
    static int changesLeavingSameSnapshots(int changes)
    {
        return changes <= kUndoSlots ? changes : kUndoSlots + (changes - kUndoSlots) % kUndoSlots;
    }
};
