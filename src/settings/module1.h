// Loading and saving the four settings groups of Conf.ini: 1 font and colours,
// 2 registered texts, 3 options, 4 window geometry.
#pragma once

#include <QString>

class Form1;

namespace Module1 {

void LoadSettings(Form1 &form, qint16 group);
void SaveSettings(Form1 &form, qint16 group);

/// The settings file's path, formed afresh on every call.
QString confPath();

} // namespace Module1
