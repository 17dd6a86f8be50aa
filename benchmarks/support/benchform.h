#pragma once
// The real main window for benchmarks: the program's own message pump
// (a yield every few milliseconds, as on a desktop), an in-memory drawing
// registered under the target ProgID or any other running-object table
// (the stand-in's socket), a recording window system and captured message
// boxes. Settings and side files live in a folder of its own.

#include "support/headlessform.h"

#include "app/tmorvmainform.h"
#include "cad/memory/memorydrawing.h"
#include "cad/memory/memoryrunningobjecttable.h"
#include "form/messagepump.h"

#include <QTemporaryDir>

#include <memory>

class BenchForm
{
public:
    static inline const std::u16string ProgId = u"BricscadApp.AcadApplication";

    // runningObjects null: the form reaches `drawing` in this process.
    explicit BenchForm(cad::RunningObjectTable *runningObjects = nullptr);
    ~BenchForm();
    BenchForm(const BenchForm &) = delete;
    BenchForm &operator=(const BenchForm &) = delete;

    // Creates and shows the main window, on the given page.
    void start(int page = 0);
    TMorvMainForm &form() { return *m_form; }

    std::shared_ptr<cad::MemoryDrawing> drawing = cad::MemoryDrawing::create();
    cad::MemoryRunningObjectTable memoryObjects;
    cad::RecordingWindowSystem windows;
    CapturingMessageBoxes messages;
    MessagePump pump;

private:
    QTemporaryDir m_dir;
    cad::RunningObjectTable &m_runningObjects;
    std::unique_ptr<TMorvMainForm> m_form;
};
