#pragma once
// The main window's private state that its tabs share.

#include <QString>

struct MorvFormState
{
    int sgUndoCnt = 0;    // cell undo entries the next Ctrl+Z of StringGrid1 takes back
    int sgUndoCnt2 = 0;   // the same for StringGrid2
    QString undoText;     // snapshot of the whole editor text (UndoMark)
    bool undoFlag = false;
    bool runFlag = false; // true while a long command may go on; "中止" clears it
    bool commandUnderWay = false; // a command holds the one-command mark (CommandMark)
    bool AcadRunFlag = false;
    int iLineLast = 0;    // data lines of the editor, as the status timer counted them
    int CaretY_Old = 0;   // editor line (from 1) last handled by CaretYChanged
    bool ATTmode = false; // the editor lines hold attribute values
    int startCol = -1, startRow = -1; // anchor of a mouse range selection in StringGrid1
    int moveCol = 0, moveRow = 0;     // last cell a drag reached
};
