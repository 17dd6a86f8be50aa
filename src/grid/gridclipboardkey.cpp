#include "grid/gridclipboardkey.h"

#include "grid/clipboardtext.h"
#include "grid/stringgrid.h"
#include "grid/tundocells.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QStringList>

namespace {

const QString CellSeparator = QStringLiteral("\t");
const QString LineEnd = QStringLiteral("\r\n");

bool isInsideGrid(const StringGrid *grid, int col, int row)
{
    return col >= 0 && col < grid->colCount() && row >= 0 && row < grid->rowCount();
}

// Saves a cell and writes it; cells outside the grid are not stored at all.
void changeCell(StringGrid *grid, int col, int row, const QString &text, TUndoCells &undoCells,
                int &saved)
{
    if (!isInsideGrid(grid, col, row))
        return;
    undoCells.Add(grid, col, row);
    ++saved;
    grid->setCellText(col, row, text);
}

void emptySelection(StringGrid *grid, const GridRect &selection, TUndoCells &undoCells, int &saved)
{
    for (int row = selection.top; row <= selection.bottom; ++row)
        for (int col = selection.left; col <= selection.right; ++col)
            changeCell(grid, col, row, QString(), undoCells, saved);
}

QString selectionText(const StringGrid *grid, const GridRect &selection)
{
    QString text;
    for (int row = selection.top; row <= selection.bottom; ++row) {
        QStringList cells;
        for (int col = selection.left; col <= selection.right; ++col)
            cells << grid->cellText(col, row);
        text += cells.join(CellSeparator) + LineEnd;
    }
    return text;
}

void copySelection(const StringGrid *grid, const GridRect &selection)
{
    const QString text = selectionText(grid, selection);
    if (text.isEmpty())
        return;
    // Placed twice: some clipboard viewers miss the first placing.
    QGuiApplication::clipboard()->setText(text);
    QGuiApplication::clipboard()->setText(text);
}

// Only CR LF ends a line; text after the last CR LF is not a line.
QStringList clipboardLines()
{
    QStringList lines = clipboardText().split(LineEnd);
    lines.removeLast();
    return lines;
}

void pasteOverSelection(StringGrid *grid, const GridRect &selection, TUndoCells &undoCells,
                        int &saved)
{
    const QStringList lines = clipboardLines();
    const int lineCount = int(lines.size());
    for (int i = 0; i < lineCount; ++i) {
        const QStringList fields = lines[i].split(CellSeparator);
        for (int f = 0; f < int(fields.size()); ++f) {
            const int col = selection.left + f;
            changeCell(grid, col, selection.top + i, fields[f], undoCells, saved);
            // The block of lines repeats downwards over a taller selection.
            for (int e = 1; selection.top + i + e * lineCount <= selection.bottom; ++e)
                changeCell(grid, col, selection.top + i + e * lineCount, fields[f], undoCells, saved);
        }
    }
}

} // namespace

bool GridClipboardKey(StringGrid *grid, int key, Qt::KeyboardModifiers shift,
                      TUndoCells &undoCells, int &undoCount)
{
    const bool hasCell = grid->currentCol() >= 0;
    const GridRect selection = grid->gridSelection();
    int saved = 0;

    if (key == Qt::Key_Delete && hasCell && !selection.isSingleCell()) {
        emptySelection(grid, selection, undoCells, saved);
        undoCount = saved > 0 ? saved : 1;
        return true;
    }
    if (!shift.testFlag(Qt::ControlModifier))
        return false;

    if (key == Qt::Key_C || key == Qt::Key_X) {
        if (hasCell) {
            copySelection(grid, selection);
            if (key == Qt::Key_X)
                emptySelection(grid, selection, undoCells, saved);
        }
        undoCount = saved > 0 ? saved : 1;
        return true;
    }
    if (key == Qt::Key_V) {
        if (hasCell)
            pasteOverSelection(grid, selection, undoCells, saved);
        undoCount = saved > 0 ? saved : 1;
        return true;
    }
    return false;
}

bool IsGridCommandKey(const StringGrid *grid, int key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_Delete)
        return grid->currentCol() >= 0 && !grid->gridSelection().isSingleCell();
    return shift.testFlag(Qt::ControlModifier)
           && (key == Qt::Key_Z || key == Qt::Key_C || key == Qt::Key_X || key == Qt::Key_V);
}
