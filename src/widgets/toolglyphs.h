#pragma once

#include <QIcon>

// The pictures of the tool buttons: the main window's and the preview's page buttons. They are
// drawn as shapes at whatever size and pixel density they are shown, so they stay sharp on
// high-density screens; a disabled button shows them in grey.
enum class TToolGlyph { Today, Morning, DayTime, Evening, Lock, Unlock, Undo, Search, Report, Export, Setup, Help,
                        Close, FirstPage, PriorPage, NextPage, LastPage,
                        // column heads that order a list, and buttons that move rows between lists
                        SortUp, SortDown, MoveRight, MoveAllRight, MoveLeft, MoveAllLeft };

QIcon ToolGlyph(TToolGlyph glyph);
