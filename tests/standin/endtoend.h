#pragma once
// The whole product end to end: the stand-in CAD runs as its own program on
// a copy of the sample drawing; the tool's real main window attaches to it
// over the socket, as on a desktop, and the user's commands are driven
// through the window. The test has a line of its own to the stand-in for
// its hooks (scripted picks, undo, a call left unanswered).
#include "support/headlessform.h"
#include "support/qstringprinter.h"

#include "attrtab/tattrtab.h"
#include "editor/lineeditor.h"
#include "form/sidefiles.h"
#include "form/textfile.h"
#include "grid/stringgrid.h"
#include "searchtab/tsearchtab.h"
#include "texttab/ttexttab.h"

#include "cad/caderror.h"
#include "cad/document.h"
#include "cad/remote/remotecadwindowsystem.h"
#include "cad/remote/socketrunningobjecttable.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

class EndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SideFiles::setFolderOverride(dir.path());
        drawingPath = dir.filePath("panel.dxf");
        ASSERT_TRUE(QFile::copy(MORVEX_SAMPLE_DRAWING, drawingPath));
        progId = QStringLiteral("Morvex.EndToEnd.%1").arg(QCoreApplication::applicationPid());

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        cadProcess.setProcessEnvironment(env);
        cadProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        cadProcess.start(MORVEX_CAD_PROGRAM, {"--progid", progId, drawingPath});
        ASSERT_TRUE(cadProcess.waitForStarted(10000));
        QElapsedTimer waited;
        waited.start();
        while (!testLine.isRunning(progId.toStdU16String()) && waited.elapsed() < 20000)
            QThread::msleep(50);
        ASSERT_TRUE(testLine.isRunning(progId.toStdU16String())) << "the stand-in CAD did not start";

        rot = std::make_unique<cad::remote::SocketRunningObjectTable>(toolConnection());
        windows = std::make_unique<cad::remote::RemoteCadWindowSystem>(*rot, &ownWindows);

        TextFile::writeLines(SideFiles::tagSetListPath(), {"機器,NAME,NAME1,SPEC,TYPE"});
        form = std::make_unique<TMorvMainForm>(MainFormServices{*rot, *windows, messages, pump, {}, {}});
        form->TargetProgID = progId;
        form->show();
        QCoreApplication::processEvents();
    }

    void TearDown() override
    {
        form.reset();
        windows.reset();
        rot.reset();
        if (cadProcess.state() != QProcess::NotRunning) {
            cadProcess.kill();
            cadProcess.waitForFinished(5000);
        }
        SideFiles::setFolderOverride(QString());
    }

    // A direct line to the stand-in, as a test hook beside the tool.
    cad::Application cad() { return cad::Application(testLine.getActiveObject(progId.toStdU16String())); }

    // The handles of the drawing's entities that pass a filter.
    std::vector<std::u16string> select(const cad::SelectionFilter &filter)
    {
        const cad::Document doc = cad().activeDocument();
        cad::TempSelectionSet set(doc);
        set->selectAll(filter);
        std::vector<std::u16string> handles;
        for (int i = 0; i < set->count(); ++i)
            handles.push_back(set->item(i).handle());
        return handles;
    }
    std::vector<std::u16string> textsMatching(const std::u16string &pattern)
    {
        cad::SelectionFilter filter;
        filter.add(0, u"TEXT");
        filter.add(1, pattern);
        return select(filter);
    }
    void scriptPick(const std::vector<std::u16string> &handles)
    {
        std::vector<cad::Variant> list;
        for (const auto &h : handles)
            list.emplace_back(h);
        cad().object()->callWith(u"MorvexTest.ScriptPick", {cad::Variant(std::move(list))});
    }
    void save() { cad().object()->call(u"MorvexCad.Save"); }
    bool undoInCad() { return cad().object()->call(u"MorvexTest.Undo").toBool(); }
    // The stand-in ends as a killed process does, at once and for good.
    void killCad()
    {
        cadProcess.kill();
        cadProcess.waitForFinished(10000);
    }

    QTemporaryDir dir;
    QString drawingPath;
    QString progId;
    QProcess cadProcess;
    // The tool's link. While a call waits (a pick), the test's timers
    // still run.
    std::chrono::milliseconds callTimeout = cad::remote::CallTimeout;
    cad::remote::ConnectionOptions toolConnection() const
    {
        cad::remote::ConnectionOptions options;
        options.callTimeout = callTimeout;
        options.whileWaiting = [] { QCoreApplication::processEvents(); };
        return options;
    }
    cad::remote::SocketRunningObjectTable testLine;
    std::unique_ptr<cad::remote::SocketRunningObjectTable> rot;
    cad::RecordingWindowSystem ownWindows; // the tool's own window
    std::unique_ptr<cad::remote::RemoteCadWindowSystem> windows;
    CapturingMessageBoxes messages;
    TestPump pump;
    std::unique_ptr<TMorvMainForm> form;
};
