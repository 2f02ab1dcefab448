// A main window started in a temporary program directory with the scripted doubles.
#pragma once

#include "app/form1.h"
#include "app/textarea.h"
#include "platform/process.h"
#include "support/scriptedboxes.h"
#include "support/scripteddialogs.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

class Fixture
{
public:
    Fixture()
    {
        platform::setProgramDirOverride(dir.path());
        platform::setPreviousInstanceOverride(false);
        platform::setEndProgram([this] { ++ended; });
    }
    ~Fixture()
    {
        window.reset();
        platform::setEndProgram({});
        platform::setPreviousInstanceOverride(std::nullopt);
        platform::setProgramDirOverride(QString());
    }

    /// Creates the window and runs its load handler.
    Form1 &start(const QString &commandLine = QString())
    {
        window = std::make_unique<Form1>();
        window->Form_Load(commandLine);
        return *window;
    }

    /// The window is gone without its closing handling, as in a crash: its recovery file
    /// stays and its lock is dropped.
    void crash() { window.reset(); }

    QString path(const QString &name) const { return dir.filePath(name); }

    QByteArray read(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }

    bool exists(const QString &name) const { return QFile::exists(path(name)); }

    QTemporaryDir dir;
    ScriptedBoxes boxes;
    ScriptedDialogs dialogs;
    int ended = 0;
    std::unique_ptr<Form1> window;
};
