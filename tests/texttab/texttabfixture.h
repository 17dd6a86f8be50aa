#pragma once
// The first tab of a headless main window over an in-memory drawing.

#include "support/headlessform.h"
#include "support/qstringprinter.h"

#include "editor/lineeditor.h"
#include "texttab/ttexttab.h"

#include "cad/memory/memorydrawing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QLineEdit>
#include <QToolButton>

#include <gtest/gtest.h>

class TextTabTest : public ::testing::Test
{
protected:
    TextTabTest() { ui.start(); }

    TTextTab &tab() { return ui.textTab(); }
    cad::MemoryDrawing &drawing() { return *ui.drawing; }
    const cad::MemoryEntity &entity(cad::Handle h) { return *ui.drawing->entity(h); }
    std::u16string textOf(cad::Handle h) { return ui.drawing->entity(h)->text; }

    // Picks these texts with "TEXT".
    void pickTexts(const std::vector<cad::Handle> &handles)
    {
        ui.drawing->scriptPick(handles);
        tab().SpeedButton1->click();
    }
    void setOffsets(const QString &dX, const QString &dY)
    {
        tab().Edit1->setText(dX);
        tab().Edit2->setText(dY);
    }
    void writeBack() { tab().SpeedButton2->click(); }

    HeadlessForm ui;
};
