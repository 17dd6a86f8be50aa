// "連番作成" of the editor's pop-up menu: the run appended or inserted.

#include "editor_fakehost.h"

#include "transform/editor/editorpopupmenu.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

struct Fields
{
    QString prefix, start, suffix, step, count;
    int radix;
};

struct TransformEditorSerial : ::testing::Test
{
    FakeEditorHost host;
    EditorPopupMenu menu{host, &host.window};
    TMorvRenbanForm &dialog = host.renbanForm;
    bool insertEnabledWhenShown = false;

    // The user fills the fields and clicks the button.
    void answerWith(const Fields &fields, QPushButton *button)
    {
        host.answerDialog = [=, this](QDialog &shown) {
            ASSERT_EQ(&shown, &dialog);
            insertEnabledWhenShown = dialog.Button3->isEnabled();
            (fields.radix == 16 ? dialog.SpeedButton2 : fields.radix == 8 ? dialog.SpeedButton3 : dialog.SpeedButton1)
                    ->click();
            dialog.Edit1->setText(fields.prefix);
            dialog.Edit2->setText(fields.start);
            dialog.Edit3->setText(fields.suffix);
            dialog.Edit5->setText(fields.step);
            dialog.Edit4->setText(fields.count);
            button->click();
        };
    }
};

QStringList numbered(int first, int last, int width)
{
    QStringList texts;
    for (int i = first; i <= last; ++i)
        texts << QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0'));
    return texts;
}

TEST_F(TransformEditorSerial, AppendsTheRunAfterTheLastLine)
{
    struct Case
    {
        const char *name;
        Fields fields;
        QStringList appended;
    };
    const Case cases[] = {
        {"initial values", {"", "00", "", "1", "16", 10}, numbered(0, 15, 2)},
        {"prefix upper-cased, width 1", {"a-", "1", "", "1", "3", 10}, {"A-1", "A-2", "A-3"}},
        {"width of the start text", {"", "001", "", "1", "12", 10}, numbered(1, 12, 3)},
        {"hexadecimal with a step", {"", "08", "", "2", "3", 16}, {"08", "0A", "0C"}},
        {"octal", {"", "7", "", "1", "3", 8}, {"7", "10", "11"}},
        {"no start text repeats the fixed text", {"x", "", "y", "1", "3", 10}, {"XY", "XY", "XY"}},
        {"a count of 0 adds nothing", {"", "1", "", "1", "0", 10}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        host.setLines({"first", "last"});
        host.setCaretTo(1);
        const QString before = host.SynEdit1->text();
        answerWith(c.fields, dialog.Button1);
        menu.N17->trigger();

        EXPECT_EQ(host.lines(), QStringList({"first", "last"}) + c.appended);
        EXPECT_TRUE(host.formState.undoFlag) << "the undo point is taken also for an empty run";
        EXPECT_EQ(host.formState.undoText, before);
        host.SpeedButton4->click();
        EXPECT_EQ(host.SynEdit1->text(), before);
    }
}

TEST_F(TransformEditorSerial, InsertsTheRunAtTheSelectionStartsLine)
{
    struct Case
    {
        const char *name;
        QStringList lines;
        int caretLine; // from 1; 0: a selection from the middle of line 2 to line 3
        QStringList expected;
    };
    const QStringList six{"L1", "L2", "L3", "L4", "L5", "L6"};
    const Case cases[] = {
        {"caret in line 5", six, 5, {"L1", "L2", "L3", "L4", "A1", "A2", "L5", "L6"}},
        {"caret in line 1", six, 1, QStringList({"A1", "A2"}) + six},
        {"a selection starting inside line 2", six, 0, {"L1", "A1", "A2", "L2", "L3", "L4", "L5", "L6"}},
        {"empty editor", {}, 1, {"A1", "A2"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        host.setLines(c.lines);
        if (c.caretLine > 0)
            host.setCaretTo(c.caretLine);
        else
            host.select(4, 8);
        answerWith({"a", "1", "", "1", "2", 10}, dialog.Button3);
        menu.N17->trigger();
        EXPECT_EQ(host.lines(), c.expected);
    }
}

// A count of any size: the run is a long command that fills lines one at a
// time; "中止" on the main window (the dialog has closed) stops it, keeping
// the lines filled so far, the one during which it was clicked included.
TEST_F(TransformEditorSerial, AHugeCountFillsLineByLineUntilStopped)
{
    struct Case
    {
        const char *name;
        QPushButton *button;
        QStringList expected;
    };
    const Case cases[] = {
        {"append", dialog.Button1, {"first", "last", "P00001", "P00002", "P00003"}},
        {"insert", dialog.Button3, {"P00001", "P00002", "P00003", "first", "last"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        host.setLines({"first", "last"});
        host.setCaretTo(1);
        host.testPump.calls = 0;
        bool dialogShownWhileFilling = true;
        bool stopEnabledWhileFilling = false;
        host.testPump.onCall = [&](int call) {
            dialogShownWhileFilling = dialog.isVisible();
            stopEnabledWhileFilling = host.SpeedButton5->isEnabled();
            if (call == 3)
                host.SpeedButton5->click();
        };
        answerWith({"p", "00001", "", "1", "160000000", 10}, c.button);
        menu.N17->trigger();
        host.testPump.onCall = nullptr;

        EXPECT_EQ(host.lines(), c.expected);
        EXPECT_EQ(host.testPump.calls, 3);
        EXPECT_FALSE(dialogShownWhileFilling);
        EXPECT_TRUE(stopEnabledWhileFilling);
        EXPECT_FALSE(host.formState.runFlag);
        EXPECT_FALSE(host.SpeedButton5->isEnabled());
        EXPECT_FALSE(host.SynEdit1->isReadOnly());
        host.SpeedButton4->click(); // one undo takes the whole run back
        EXPECT_EQ(host.lines(), QStringList({"first", "last"}));
    }
}

TEST_F(TransformEditorSerial, CancelChangesNothing)
{
    host.setLines({"a"});
    host.answerDialog = [this](QDialog &) { dialog.Button2->click(); };
    menu.N17->trigger();
    EXPECT_EQ(host.lines(), QStringList({"a"}));
    EXPECT_EQ(host.undoMarks, 0);
}

TEST_F(TransformEditorSerial, OpensInTheEditorsFormAfterTheGridsForm)
{
    dialog.setOverwriteForm(true);
    host.setLines({});
    answerWith({"", "1", "", "1", "1", 10}, dialog.Button1);
    menu.N17->trigger();
    EXPECT_TRUE(insertEnabledWhenShown);
    EXPECT_EQ(dialog.Button1->text(), QStringLiteral("追加"));
    EXPECT_EQ(host.lines(), QStringList({"1"}));
}

} // namespace
