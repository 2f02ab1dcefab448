// A one-line text box: text pasted or dropped into it keeps only its first line, as the
// platform's one-line box does, so a line break never reaches a setting or a search.
#pragma once

#include <QLineEdit>

namespace oneline {

struct Edit
{
    QString text;
    int cursor;
};

/// The box's text after an edit turned before into after, the cursor standing at cursor
/// (just after the inserted run): of that run only what comes before its first line
/// break (CR or LF) is kept. An edit that brought no line break is returned as it is,
/// with cursor unchanged.
Edit keepFirstLine(const QString &before, const QString &after, int cursor);

} // namespace oneline

class OneLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit OneLineEdit(QWidget *parent = nullptr);

private:
    void onTextEdited(const QString &text);

    QString m_lastText;
};
