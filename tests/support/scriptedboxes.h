// A message-box double: records every box shown and answers from a script.
#pragma once

#include "platform/messagebox.h"

#include <QList>
#include <QQueue>
#include <QStringList>

struct ShownBox
{
    QString text;
    platform::Buttons buttons;
    platform::Icon icon;
};

class ScriptedBoxes : public platform::MessageBoxes
{
public:
    ScriptedBoxes() { platform::setMessageBoxes(this); }
    ~ScriptedBoxes() override { platform::setMessageBoxes(nullptr); }

    /// Answers for the next boxes, in order; a box with no scripted answer gets its default
    /// button (OK, Yes, or No for YesNoDefaultNo).
    QQueue<int> answers;
    QQueue<QString> inputs;
    QList<ShownBox> shown;
    QStringList prompts;

    int message(QWidget *, const QString &text, platform::Buttons buttons,
                platform::Icon icon) override
    {
        shown.append({text, buttons, icon});
        if (!answers.isEmpty())
            return answers.dequeue();
        if (buttons == platform::Buttons::YesNoDefaultNo)
            return platform::IdNo;
        return buttons == platform::Buttons::Ok ? platform::IdOk : platform::IdYes;
    }

    QString input(QWidget *, const QString &prompt) override
    {
        prompts.append(prompt);
        return inputs.isEmpty() ? QString() : inputs.dequeue();
    }
};
