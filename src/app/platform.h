#pragma once
// What the tool does differently on each system, in one place: how it
// reaches the CAD (COM on Windows, the stand-in CAD's socket elsewhere),
// the windows of other programs, the mark that keeps it to one running
// copy, the message filter, the text editor for the side files, and the
// clipboard text of the grids. Everything above it is the same everywhere.

#include "tmorvmainform.h"

#include <memory>

class QWidget;

class Platform
{
public:
    Platform();
    ~Platform();
    Platform(const Platform &) = delete;
    Platform &operator=(const Platform &) = delete;

    // Before anything else of the program: whether this is the only
    // running copy of the tool, marked as such while this object lives.
    // On Windows another copy shows as a top-level window of the class
    // "TMorvMainForm"; elsewhere as a lock in the user's runtime folder.
    bool claimSingleInstance();

    // Once the application object exists: the link to the CAD and the
    // window operations for the main window.
    MainFormServices services(MessageBoxes &messages, MessagePump &pump);
    // The main window, once made (its own window goes through Qt).
    void setMainWindow(QWidget *window);

private:
    struct Backend;
    std::unique_ptr<Backend> m_backend;
};
