#pragma once

// The running state of one editor command that walks over lines: while it
// lives, runFlag is true, "中止" is enabled and the editor takes no typing
// (the command writes its working lines back at its end, which would drop
// anything typed meanwhile). Its end, however the command ends, clears
// runFlag and disables "中止" again.

class EditorCommandHost;

class CommandRun
{
public:
    explicit CommandRun(EditorCommandHost &host);
    ~CommandRun();

    CommandRun(const CommandRun &) = delete;
    CommandRun &operator=(const CommandRun &) = delete;

    // Lets the GUI process pending messages (a click on "中止" among them),
    // then tells whether the command may go on.
    bool keepRunning();

private:
    EditorCommandHost &m_host;
    bool m_editorWasReadOnly;
};
