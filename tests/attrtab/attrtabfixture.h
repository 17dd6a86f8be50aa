#pragma once
// The attribute grid tab of a headless main window over an in-memory
// drawing, with a small drawing of equipment blocks.

#include "support/headlessform.h"
#include "support/qstringprinter.h"

#include "attrtab/tattrtab.h"
#include "grid/stringgrid.h"
#include "grid/tundocells.h"
#include "texttab/ttexttab.h"

#include "cad/memory/memorydrawing.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

// A case of a table as test listings show it: its label in ASCII letters
// and digits, everything else as '_', so that every runner takes the name.
inline std::string caseLabel(const QString &text)
{
    std::string label;
    for (const QChar c : text)
        label += c.unicode() < 128 && c.isLetterOrNumber() ? char(c.unicode()) : '_';
    return label;
}

class AttrTabTest : public ::testing::Test
{
protected:
    using Handle = cad::Handle;

    AttrTabTest()
    {
        ui.start();
        ui.form().PageControl1->setCurrentIndex(1);
        drawing().addAttributeDefinition(u"EQ", u"NAME", u"機器名");
        drawing().addAttributeDefinition(u"EQ", u"SPEC", u"仕様");
        useTagSet(QStringLiteral("機器,NAME,SPEC"));
    }

    TAttrTab &tab() { return *ui.form().TabSheet2; }
    StringGrid *grid() { return tab().StringGrid1; }
    cad::MemoryDrawing &drawing() { return *ui.drawing; }
    TUndoCells &undoStack() { return *ui.form().FUndoCells; }
    int &undoCount() { return ui.form().state().sgUndoCnt; }

    // The tag set chosen in ComboBox2.
    void useTagSet(const QString &line)
    {
        tab().ComboBox2->clear();
        tab().ComboBox2->addItem(line);
        tab().ComboBox2->setCurrentIndex(0);
    }

    // An "EQ" block reference with the attributes NAME and SPEC.
    Handle addEquipment(const std::u16string &name, const std::u16string &spec, cad::Point at)
    {
        return drawing().addBlockReference(u"EQ", at, {{u"NAME", name}, {u"SPEC", spec}});
    }
    // Its attribute of a tag.
    Handle attributeOf(Handle ref, const std::u16string &tag)
    {
        for (Handle h : drawing().entity(ref)->attributes) {
            if (drawing().entity(h)->tag == tag)
                return h;
        }
        return 0;
    }
    std::u16string textOf(Handle h) { return drawing().entity(h)->text; }

    // Picks these block references with "取得".
    void acquire(const std::vector<Handle> &handles)
    {
        drawing().scriptPick(handles);
        tab().SpeedButton10->click();
    }
    // Block references one above the other, NAME "N1", "N2" … from the top,
    // SPEC "S1", "S2" …; acquired in that order.
    std::vector<Handle> acquireColumn(int count)
    {
        std::vector<Handle> refs;
        for (int i = 1; i <= count; ++i) {
            const std::u16string n = QString::number(i).toStdU16String();
            refs.push_back(addEquipment(u"N" + n, u"S" + n, {10, 100.0 - 10 * i, 0}));
        }
        acquire(refs);
        return refs;
    }

    QString cell(int col, int row) { return grid()->cellText(col, row); }
    // The texts of a column from row 1 down.
    QStringList column(int col)
    {
        QStringList texts;
        for (int row = 1; row < grid()->rowCount(); ++row)
            texts << cell(col, row);
        return texts;
    }
    void select(int left, int top, int right, int bottom)
    {
        grid()->setGridSelection(right, bottom, left, top);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(grid(), k, modifiers); }
    static void setClipboard(const QString &text) { QApplication::clipboard()->setText(text); }
    static QString clipboard() { return QApplication::clipboard()->text(); }

    // Opens the in-place editor on the current cell, types text over it.
    QLineEdit *editCurrentCell(const QString &text)
    {
        grid()->edit(grid()->currentIndex());
        auto *editor = grid()->findChild<QLineEdit *>();
        if (!editor)
            return nullptr;
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QCoreApplication::processEvents();
        return editor;
    }

    // Answers the next modal dialog.
    static void answerDialog(std::function<void()> answer) { QTimer::singleShot(0, std::move(answer)); }

    HeadlessForm ui;
};
