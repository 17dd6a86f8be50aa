// "すべて加算" and "選択範囲を加算" of the editor's pop-up menu.

#include "editor_fakehost.h"

#include "transform/dialogs/updowncontrol.h"
#include "transform/editor/editorpopupmenu.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

struct Settings
{
    int radix;     // 10, 16 or 8
    bool fromHead; // decimal: "先頭から"
    int width;     // hexadecimal and octal: "対象桁数"
    QString addend;
};

struct TransformEditorIncrement : ::testing::Test
{
    FakeEditorHost host;
    EditorPopupMenu menu{host, &host.window};
    TMorvKasanForm &dialog = host.kasanForm;

    // The user chooses the settings in the dialog and clicks "実行".
    void answerWith(const Settings &settings)
    {
        host.answerDialog = [=, this](QDialog &shown) {
            ASSERT_EQ(&shown, &dialog);
            QToolButton *radixButton = settings.radix == 16 ? dialog.SpeedButton2
                    : settings.radix == 8                   ? dialog.SpeedButton3
                                                            : dialog.SpeedButton1;
            radixButton->click();
            if (settings.fromHead)
                dialog.RadioButton1->click();
            dialog.UpDown1->setPosition(settings.width);
            dialog.Edit1->setText(settings.addend);
            dialog.Button1->click();
        };
    }
};

struct IncrementCase
{
    const char *name;
    Settings settings;
    QStringList lines;
    QStringList expected;
};

TEST_F(TransformEditorIncrement, AddsToTheNumberOfEveryLine)
{
    const IncrementCase cases[] = {
        {"decimal, from the tail", {10, false, 2, "1"},
         {"No.9", "No.09", "A-12", "R1-C2", "  P5  ", "  P  ", "ＡＢ１２", ""},
         {"No.10", "No.10", "A-13", "R1-C3", "P6", "  P  ", "ＡＢ１２", ""}},
        {"decimal, from the head", {10, true, 2, "1"}, {"R1-C2"}, {"R2-C2"}},
        {"decimal, negative amount keeps the width", {10, false, 2, "-1"}, {"10", "100"}, {"09", "099"}},
        {"decimal, a run beyond 32 bits reads as 0", {10, false, 2, "1"}, {"99999999999"}, {"00000000001"}},
        {"hexadecimal, width 2", {16, false, 2, "1"},
         {"ID-1f", "ID-FF", "ID-1G", "ID-1F ", "F", "   "}, {"ID-20", "ID-100", "ID-1G", "ID-1F ", "10", "   "}},
        {"hexadecimal wraps at 32 bits", {16, false, 8, "1"}, {"FFFFFFFF"}, {"00000000"}},
        {"hexadecimal, below zero", {16, false, 2, "-1"}, {"00"}, {"FFFFFFFF"}},
        {"octal, width 2", {8, false, 2, "1"}, {"A-07", "A-08", ""}, {"A-10", "A-08", ""}},
    };
    for (const IncrementCase &c : cases) {
        SCOPED_TRACE(c.name);
        host.setLines(c.lines);
        const QString before = host.SynEdit1->text();
        answerWith(c.settings);
        menu.N14->trigger();

        EXPECT_EQ(host.lines(), c.expected);
        EXPECT_EQ(host.formState.undoText, before);
        EXPECT_FALSE(host.formState.runFlag);
        EXPECT_FALSE(host.SpeedButton5->isEnabled());
        host.SpeedButton4->click();
        EXPECT_EQ(host.SynEdit1->text(), before);
    }
}

TEST_F(TransformEditorIncrement, AddsInsideTheSelection)
{
    struct Case
    {
        const char *name;
        QStringList lines;
        int selectionStart, selectionEnd;
        QStringList expected;
    };
    const Case cases[] = {
        {"two whole lines", {"a1", "b2", "c3"}, 0, 5, {"a2", "b3", "c3"}},
        {"a selection ending with a line break", {"x9", "y"}, 0, 3, {"x10y"}},
        {"the selection's leading blanks are dropped", {"A  7B"}, 1, 4, {"A8B"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        host.setLines(c.lines);
        const QString before = host.SynEdit1->text();
        host.select(c.selectionStart, c.selectionEnd);
        answerWith({10, false, 2, "1"});
        menu.N15->trigger();
        EXPECT_EQ(host.lines(), c.expected);
        host.SpeedButton4->click();
        EXPECT_EQ(host.SynEdit1->text(), before);
    }
}

TEST_F(TransformEditorIncrement, AmountZeroOrCancelChangesNothing)
{
    for (QAction *item : {menu.N14, menu.N15}) {
        for (const QString &addend : {QStringLiteral("0"), QStringLiteral(""), QStringLiteral("x")}) {
            SCOPED_TRACE(item->text().toStdString() + " amount '" + addend.toStdString() + "'");
            host.setLines({"A1"});
            host.select(0, 2);
            host.undoMarks = 0;
            answerWith({10, false, 2, addend});
            item->trigger();
            EXPECT_EQ(host.lines(), QStringList({"A1"}));
            EXPECT_EQ(host.undoMarks, 0);
        }
        host.answerDialog = [this](QDialog &) {
            dialog.Edit1->setText(QStringLiteral("5"));
            dialog.Button2->click();
        };
        item->trigger();
        EXPECT_EQ(host.lines(), QStringList({"A1"}));
        EXPECT_EQ(host.undoMarks, 0);
    }
}

TEST_F(TransformEditorIncrement, OnlyChangedLinesLetMessagesThroughAndStop)
{
    host.setLines({"a", "1", "b", "2", "c", "3"});
    answerWith({10, false, 2, "1"});
    host.testPump.onCall = [this](int call) {
        if (call == 2)
            host.SpeedButton5->click();
    };
    menu.N14->trigger();
    EXPECT_EQ(host.testPump.calls, 2);
    EXPECT_EQ(host.lines(), QStringList({"a", "2", "b", "3", "c", "3"}));
}

} // namespace
