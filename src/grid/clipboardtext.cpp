#include "grid/clipboardtext.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

ClipboardTextReader &installedReader()
{
    static ClipboardTextReader reader;
    return reader;
}

} // namespace

QString clipboardText()
{
    if (const ClipboardTextReader &reader = installedReader())
        return reader();
    return QGuiApplication::clipboard()->text();
}

void setClipboardTextReader(ClipboardTextReader reader)
{
    installedReader() = std::move(reader);
}
