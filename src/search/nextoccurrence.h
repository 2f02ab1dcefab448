// What every search of the find and replace dialogs does once it has its text: select
// the next occurrence, or say that there is none.
#pragma once

#include <QString>

class Form1;

/// The message of a search that finds nothing.
QString notFoundMessage(const QString &searchText);

/// Selects the first occurrence of searchText at or after start in the main text area;
/// when there is none, shows the not-found message and leaves the selection. Either
/// way the focus goes back to the text area. Returns whether one was found.
bool selectNextOccurrence(Form1 &owner, const QString &searchText, qsizetype start, bool exact);
