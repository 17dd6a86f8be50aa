#include "commandrun.h"

#include "editorcommandhost.h"

#include "editor/lineeditor.h"
#include "form/formstate.h"
#include "form/messagepump.h"

CommandRun::CommandRun(EditorCommandHost &host)
    : m_host(host)
    , m_editorWasReadOnly(host.editor().isReadOnly())
{
    m_host.state().runFlag = true;
    m_host.setStopEnabled(true);
    m_host.editor().setReadOnly(true);
}

CommandRun::~CommandRun()
{
    m_host.editor().setReadOnly(m_editorWasReadOnly);
    m_host.state().runFlag = false;
    m_host.setStopEnabled(false);
}

bool CommandRun::keepRunning()
{
    m_host.pump().processPendingMessages();
    return m_host.state().runFlag;
}
