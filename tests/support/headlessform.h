#pragma once
// A headless main window wired to an in-memory drawing registered under the
// target ProgID, scripted picks, captured message boxes, a recording window
// system and a message pump a test can hook. A test reads like a user's
// session: script a pick, press a button, type lines; then look at what the
// window shows and at the drawing.

#include "recordingwindowsystem.h"

#include "app/tmorvmainform.h"
#include "cad/memory/memorydrawing.h"
#include "cad/memory/memoryrunningobjecttable.h"
#include "cad/messagefilter.h"
#include "form/messageboxes.h"
#include "form/messagepump.h"

#include <QStringList>
#include <QTemporaryDir>

#if MORVEX_TESTS_THROUGH_COM
// A Windows build: the drawing is reached through COM, in this process.
#include "windows/support/comtestrunningobjecttable.h"
using TestRunningObjectTable = cad::com::test::ComTestRunningObjectTable;
#else
using TestRunningObjectTable = cad::MemoryRunningObjectTable;
#endif

#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class TTextTab;

class CapturingMessageBoxes : public MessageBoxes
{
public:
    enum Kind { Plain, Information, Error };
    struct Shown
    {
        Kind kind;
        QString text;
    };
    std::vector<Shown> shown;

    void plain(const QString &text) override { shown.push_back({Plain, text}); }
    void information(const QString &text) override { shown.push_back({Information, text}); }
    void error(const QString &text) override { shown.push_back({Error, text}); }

    QStringList texts() const;
    void clear() { shown.clear(); }
};

// The platform's message filter as the form creates, registers and revokes
// it; every step is written to a log the test keeps.
class RecordingMessageFilter : public cad::MessageFilter
{
public:
    explicit RecordingMessageFilter(QStringList &log) : m_log(log) { m_log << "create"; }
    ~RecordingMessageFilter() override { m_log << "free"; }
    void RegisterFilter() override { m_log << "register"; }
    void RevokeFilter() override { m_log << "revoke"; }

private:
    QStringList &m_log;
};

// Processes events at every call, and lets a test act at the n-th call
// (a click on "中止" in the middle of a long command).
class TestPump : public MessagePump
{
public:
    int calls = 0;
    std::function<void(int call)> onCall;

    void processPendingMessages() override;
    void processNow() override;
};

class HeadlessForm
{
public:
    static inline const std::u16string ProgId = u"BricscadApp.AcadApplication";

    // A folder of its own for the settings and side files; files a test
    // wants present at start are written with writeSideFile before start().
    HeadlessForm();
    ~HeadlessForm();

    void writeSideFile(const QString &name, const QStringList &lines);
    QString sideFile(const QString &name) const;
    void start();
    // Closes the window as the user does (FormCloseQuery) and destroys it.
    void close();

    TMorvMainForm &form() { return *m_form; }
    TTextTab &textTab();
    QStringList editorLines();
    void setEditorLines(const QStringList &lines);
    static void click(QAbstractButton *button);

    std::shared_ptr<cad::MemoryDrawing> drawing = cad::MemoryDrawing::create();
    TestRunningObjectTable rot;
    cad::RecordingWindowSystem windows;
    CapturingMessageBoxes messages;
    TestPump pump;
    QStringList openedFiles;
    QStringList messageFilterLog;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TMorvMainForm> m_form;
};
