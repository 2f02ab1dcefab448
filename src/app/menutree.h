// The menu tree of the main window as a table: one row per item, in order.
#pragma once

#include <vector>

class Form1;

struct MenuRow
{
    int level;           // 0 a menu of the bar, 1 its item, 2 an item of a submenu
    const char *name;    // object name of the item's QAction
    const char *caption; // "-" for a separator
    const char *shortcut;
    void (Form1::*handler)();
    bool checkable;
};

const std::vector<MenuRow> &menuBarTree();
/// The hidden context menu's items; level 1 items of the pop-up, level 2 of its submenu.
const std::vector<MenuRow> &popupTree();
