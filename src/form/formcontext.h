#pragma once
// What the main window hands down to its tabs: the shared state, the way
// to the CAD, the message boxes and the message pump. The tabs never
// include the main window itself.

#include "formstate.h"
#include "messageboxes.h"
#include "messagepump.h"

#include "cad/connection.h"
#include "cad/runningobjecttable.h"
#include "cad/windowsystem.h"

#include <QString>
#include <QStringList>

#include <string>

class QDialog;
class TMorvKasanForm;
class TMorvRenbanForm;
class TMorvTikanForm;
class TUndoCells;

class FormContext
{
public:
    virtual ~FormContext() = default;

    virtual MorvFormState &state() = 0;
    virtual std::u16string targetProgId() const = 0;
    virtual cad::RunningObjectTable &runningObjects() = 0;
    virtual cad::WindowSystem &windowSystem() = 0;
    virtual cad::WindowHandle mainWindowHandle() const = 0;
    virtual MessageBoxes &messages() = 0;
    virtual MessagePump &pump() = 0;

    virtual void setStatusPanel(int index, const QString &text) = 0;
    // The main window back from a pick: normal state, then to the front.
    virtual void restoreMainWindow() = 0;
    // SetForegroundWindow on the main window.
    virtual void activateMainWindow() = 0;
    // A side file ("MorvEditTagList.txt" …) in the folder of the settings.
    virtual QString sideFilePath(const QString &fileName) const = 0;
    // Opens a side file in the user's text editor, without waiting for it.
    virtual void openTextFile(const QString &path) = 0;

    // A modal dialog over the always-on-top main window.
    virtual int execOverTopmost(QDialog &dialog) = 0;
    // The text tools' dialogs, created once and keeping their fields.
    virtual TMorvTikanForm &MorvTikanForm() = 0;
    virtual TMorvKasanForm &MorvKasanForm() = 0;
    virtual TMorvRenbanForm &MorvRenbanForm() = 0;

    // The cell undo stacks: FUndoCells of StringGrid1, FUndoCells2 of StringGrid2.
    virtual TUndoCells &undoCells1() = 0;
    virtual TUndoCells &undoCells2() = 0;

    // Empties the captions of Label1 and Label2 of the first tab.
    virtual void clearFirstTabLabels() = 0;
    // The items of the first tab's tag list ComboBox1 (the tag list dialog
    // edits them).
    virtual QStringList firstTabTagItems() const = 0;
    virtual void setFirstTabTagItems(const QStringList &items) = 0;

    // Whether a command of any tab holds the one-command mark (CommandMark):
    // while one lets the GUI process messages, no other may start inside it.
    bool commandRunning() { return state().commandUnderWay; }

    // After each item of a long command: lets the GUI process pending
    // messages, then tells whether "中止" left the command to go on.
    bool keepRunning()
    {
        pump().processPendingMessages();
        return state().runFlag;
    }

    // Whether the target CAD runs (a ProgID without class throws CadError).
    bool cadIsRunning() { return cad::CadIsRunning(runningObjects(), windowSystem(), targetProgId()); }
    // The running target CAD's application object.
    cad::Application attachCad() { return cad::AttachCad(runningObjects(), targetProgId()); }
    // The CAD window brought up before a command works in it.
    void activateCad(const cad::Application &app, cad::ActivateOptions options)
    {
        cad::ActivateCad(app, windowSystem(), mainWindowHandle(), options);
    }
};
