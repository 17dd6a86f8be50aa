#pragma once

// A small stand-in for the first tab behind the editor's pop-up menu: a
// real line editor, the snapshot undo with its "Undo" button, the "中止"
// button, a message pump a test can hook at the n-th line, and the three
// dialogs, answered by a function the test sets before the command.

#include "editor/lineeditor.h"
#include "form/formstate.h"
#include "form/messageboxes.h"
#include "form/messagepump.h"
#include "transform/dialogs/tmorvkasanform.h"
#include "transform/dialogs/tmorvrenbanform.h"
#include "transform/dialogs/tmorvtikanform.h"
#include "transform/editor/editorcommandhost.h"

#include <QCoreApplication>
#include <QDialog>
#include <QStringList>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <functional>
#include <vector>

// Counts its calls and lets the test act at each; yields at every call.
class HookedPump : public MessagePump
{
public:
    int calls = 0;
    std::function<void(int call)> onCall;

    void processPendingMessages() override
    {
        ++calls;
        if (onCall)
            onCall(calls);
    }
    void processNow() override { QCoreApplication::processEvents(); }
};

class RecordingMessageBoxes : public MessageBoxes
{
public:
    QStringList shown;
    void plain(const QString &text) override { shown << text; }
    void information(const QString &text) override { shown << text; }
    void error(const QString &text) override { shown << text; }
};

class FakeEditorHost : public EditorCommandHost
{
public:
    FakeEditorHost()
    {
        window.resize(328, 320);
        SynEdit1 = new LineEditor(&window);
        SynEdit1->setGeometry(0, 60, 328, 260);
        SpeedButton4 = new QToolButton(&window);
        SpeedButton4->setText(QStringLiteral("Undo"));
        SpeedButton4->setEnabled(false);
        SpeedButton5 = new QToolButton(&window);
        SpeedButton5->setText(QStringLiteral("中止"));
        SpeedButton5->setEnabled(false);
        QObject::connect(SpeedButton4, &QToolButton::clicked, [this] { SpeedButton4Click(); });
        QObject::connect(SpeedButton5, &QToolButton::clicked, [this] { SpeedButton5Click(); });
    }

    // The tab's "Undo": the editor's own undo first, then the snapshot.
    void SpeedButton4Click()
    {
        if (SynEdit1->canUndo())
            SynEdit1->undo();
        else
            UndoMark(false);
    }
    // The tab's "中止".
    void SpeedButton5Click()
    {
        formState.runFlag = false;
        testPump.processNow();
        SpeedButton5->setEnabled(false);
    }

    LineEditor &editor() override { return *SynEdit1; }
    void UndoMark(bool flag) override
    {
        ++undoMarks;
        if (flag) {
            formState.undoText = SynEdit1->text();
            formState.undoFlag = true;
        } else {
            SynEdit1->setText(formState.undoText);
            formState.undoFlag = false;
        }
        SpeedButton4->setEnabled(flag);
    }
    MorvFormState &state() override { return formState; }
    void setStopEnabled(bool enabled) override { SpeedButton5->setEnabled(enabled); }
    MessagePump &pump() override { return testPump; }
    MessageBoxes &messages() override { return boxes; }

    int execOverTopmost(QDialog &dialog) override
    {
        shownDialogs.push_back(&dialog);
        if (answerDialog) {
            QTimer::singleShot(0, &dialog, [this, &dialog] { answerDialog(dialog); });
        } else {
            QTimer::singleShot(0, &dialog, [&dialog] { dialog.reject(); });
        }
        return dialog.exec();
    }

    TMorvTikanForm &MorvTikanForm() override { return tikanForm; }
    TMorvKasanForm &MorvKasanForm() override { return kasanForm; }
    TMorvRenbanForm &MorvRenbanForm() override { return renbanForm; }

    void N20Click() override { hostCommands << QStringLiteral("N20Click"); }
    void N10Click() override { hostCommands << QStringLiteral("N10Click"); }
    void N11Click() override { hostCommands << QStringLiteral("N11Click"); }
    void N12Click() override { hostCommands << QStringLiteral("N12Click"); }
    void N39Click() override { hostCommands << QStringLiteral("N39Click"); }
    void N40Click() override { hostCommands << QStringLiteral("N40Click"); }
    void N25Click() override { hostCommands << QStringLiteral("N25Click"); }

    // Test helpers.
    void setLines(const QStringList &lines) { SynEdit1->setLines(lines); }
    QStringList lines() const { return SynEdit1->lines(); }
    // Puts the caret at the start of a line (from 1), without a selection.
    void setCaretTo(int line) { SynEdit1->setCaret(line, 1); }
    // Selects the characters from start to end (positions in the text as
    // shown, a line break counting as one).
    void select(int start, int end)
    {
        QTextCursor cursor = SynEdit1->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        SynEdit1->setTextCursor(cursor);
    }

    QWidget window;
    LineEditor *SynEdit1;
    QToolButton *SpeedButton4; // "Undo"
    QToolButton *SpeedButton5; // "中止"
    MorvFormState formState;
    HookedPump testPump;
    RecordingMessageBoxes boxes;
    TMorvTikanForm tikanForm;
    TMorvKasanForm kasanForm;
    TMorvRenbanForm renbanForm;

    // How the next dialogs are answered once they run; without it they are
    // cancelled.
    std::function<void(QDialog &)> answerDialog;
    std::vector<QDialog *> shownDialogs;
    QStringList hostCommands;
    int undoMarks = 0;
};
