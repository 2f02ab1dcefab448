// Loading and saving the four settings groups of Conf.ini: 1 font and colours,
// 2 registered texts, 3 options, 4 window geometry.
#pragma once

#include <QString>

class Form1;
class QWidget;

namespace Module1 {

/// The settings groups, by the numbers LoadSettings and SaveSettings take.
enum SettingsGroup : qint16 {
    FontGroup = 1,       // section "Font": face, size, style and colours
    RegisteredGroup = 2, // section "Text": the five registered texts
    OptionGroup = 3,     // section "Option": initial title, window restore, full path
    WindowGroup = 4,     // the window's position and size
};

void LoadSettings(Form1 &form, qint16 group);
void SaveSettings(Form1 &form, qint16 group);

/// Puts window into the topmost band (flag not 0) or out of it (flag 0); the window
/// keeps its place and size.
void SetTopMost(QWidget &window, qint16 flag);

/// The settings file's path, formed afresh on every call.
QString confPath();

} // namespace Module1
