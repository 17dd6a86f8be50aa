#pragma once
// The clipboard's text as the grids' paste reads it. Qt's reading by
// default; a platform whose toolkit changes other programs' text on the
// way (Qt on Windows turns every CR LF into LF, so the rows of a block
// copied in a spreadsheet would no longer end in CR LF) installs a reader
// that gives the text as the other program put it.

#include <QString>

#include <functional>

using ClipboardTextReader = std::function<QString()>;

QString clipboardText();
// An empty reader goes back to Qt's.
void setClipboardTextReader(ClipboardTextReader reader);
