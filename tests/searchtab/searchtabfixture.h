#pragma once
// The search tab of a headless main window over an in-memory drawing.

#include "support/headlessform.h"
#include "support/qstringprinter.h"

#include "grid/stringgrid.h"
#include "grid/tundocells.h"
#include "searchtab/tsearchtab.h"

#include "cad/memory/memorydrawing.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

class SearchTabTest : public ::testing::Test
{
protected:
    SearchTabTest()
    {
        ui.start();
        ui.form().PageControl1->setCurrentIndex(2);
        QCoreApplication::processEvents();
    }

    TSearchTab &tab() { return *ui.form().TEST; }
    StringGrid &grid() { return *tab().StringGrid2; }
    cad::MemoryDrawing &drawing() { return *ui.drawing; }
    std::u16string textOf(cad::Handle h) { return ui.drawing->entity(h)->text; }
    static QString handleText(cad::Handle h) { return QString::fromStdU16String(cad::handleToString(h)); }
    QString panel(int index) { return ui.form().statusPanelText(index); }

    void search(const QString &field)
    {
        tab().Edit3->setText(field);
        tab().SpeedButton14->click();
    }

    QStringList rows()
    {
        QStringList texts;
        for (int r = 0; r < grid().rowCount(); ++r)
            texts << grid().cellText(0, r);
        return texts;
    }
    QStringList recordHandles()
    {
        QStringList handles;
        for (const Morv2 &rec : tab().SearchTexts)
            handles << rec.sHnd;
        return handles;
    }

    QLineEdit *editor() { return qobject_cast<QLineEdit *>(grid().indexWidget(grid().currentIndex())); }

    // Opens the in-place editor on a row, replaces its text by typing (ASCII)
    // and leaves the editor open.
    void typeIntoRow(int row, const QString &text)
    {
        grid().setCurrentCell(0, row);
        grid().edit(grid().currentIndex());
        ASSERT_TRUE(grid().isEditorShowing());
        editor()->selectAll();
        QTest::keyClicks(editor(), text);
    }
    void pressEnter()
    {
        QWidget *target = grid().isEditorShowing() ? static_cast<QWidget *>(editor()) : &grid();
        QTest::keyClick(target, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    // Every text Label6 showed when the command let the GUI process
    // messages, repeated texts once.
    void recordProgress()
    {
        ui.pump.onCall = [this](int) {
            const QString text = tab().Label6->text();
            if (progress.isEmpty() || progress.last() != text)
                progress << text;
        };
    }

    QImage gridImage() { return grid().viewport()->grab().toImage(); }
    // Pixels of a row's cell with exactly this colour.
    int pixelsOfColour(const QImage &image, int row, const QColor &colour)
    {
        const QRect cell = grid().cellRect(0, row);
        int count = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                count += QColor(image.pixel(x, y)) == colour;
        return count;
    }

    QStringList progress;
    HeadlessForm ui;
};
