#pragma once

// What the editor's pop-up menu needs of the first tab: the line editor,
// its snapshot undo, the stop flag and the "中止" button, the message pump
// and boxes, the three text tool dialogs, the modal showing over the
// always-on-top main window, and the menu commands that live in the tab
// itself (clipboard, clearing, tag list, version box).

class LineEditor;
class MessageBoxes;
class MessagePump;
class QDialog;
class TMorvKasanForm;
class TMorvRenbanForm;
class TMorvTikanForm;
struct MorvFormState;

class EditorCommandHost
{
public:
    virtual ~EditorCommandHost() = default;

    // SynEdit1.
    virtual LineEditor &editor() = 0;
    // true: the editor's whole text becomes the undo point and "Undo" is
    // enabled; false: the undo point goes back into the editor.
    virtual void UndoMark(bool flag) = 0;

    // The main window's state; runFlag is the stop flag of a long command.
    virtual MorvFormState &state() = 0;
    // Enables or disables SpeedButton5 "中止", whose click clears runFlag.
    virtual void setStopEnabled(bool enabled) = 0;
    // Called after each line of a long command, so "中止" can be clicked.
    virtual MessagePump &pump() = 0;
    // Where a failure that a command does not catch is reported.
    virtual MessageBoxes &messages() = 0;

    // Shows a dialog modally over the always-on-top main window (the main
    // window leaves the topmost band while it shows):
    // execOverTopmost(main window, &dialog). Gives the dialog's result.
    virtual int execOverTopmost(QDialog &dialog) = 0;

    // The dialogs, created once by the main window and kept, so that their
    // fields keep the user's last entries.
    virtual TMorvTikanForm &MorvTikanForm() = 0;
    virtual TMorvKasanForm &MorvKasanForm() = 0;
    virtual TMorvRenbanForm &MorvRenbanForm() = 0;

    // The menu commands the tab carries out itself.
    virtual void N20Click() = 0; // "クリア"
    virtual void N10Click() = 0; // "カット"
    virtual void N11Click() = 0; // "コピー"
    virtual void N12Click() = 0; // "ペースト"
    virtual void N39Click() = 0; // "■ タグリストを編集（メモ帳を起動）"
    virtual void N40Click() = 0; // "■ タグリストを再読み込み"
    virtual void N25Click() = 0; // "バージョン情報"
};
