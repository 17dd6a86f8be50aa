#pragma once
// One command at a time. Long commands let the GUI process pending
// messages after each item, so a click, a key or a menu item is handled in
// the middle of them; a second command started there would work on the
// selection set, the lines or the cells under the running one, or end it
// early by clearing runFlag when it ends itself. So every command that works
// on the CAD, the lines or the cells takes the mark first, and while another
// command holds it starts nothing, quietly. The stop buttons take no mark:
// they only clear runFlag of the command that holds it.
//
//     CommandMark mark(state);
//     if (!mark.held())
//         return; // another command runs
//
// runFlag cannot serve as the mark: a finished search leaves it true.

#include "commandguard.h"
#include "formstate.h"

class CommandMark
{
public:
    explicit CommandMark(MorvFormState &state)
        : m_state(state)
        , m_held(!state.commandUnderWay)
    {
        if (m_held)
            m_state.commandUnderWay = true;
    }
    ~CommandMark()
    {
        if (m_held)
            m_state.commandUnderWay = false;
    }
    CommandMark(const CommandMark &) = delete;
    CommandMark &operator=(const CommandMark &) = delete;

    // false: another command holds the mark and this one must not start.
    bool held() const { return m_held; }

private:
    MorvFormState &m_state;
    bool m_held;
};

// Runs a command that works on the CAD, the lines or the cells, unless
// another command runs; a failure it does not catch goes to the general
// error report. Tells whether the command ran.
template <typename Command>
bool runExclusive(MorvFormState &state, MessageBoxes &messages, Command command)
{
    const CommandMark mark(state);
    if (!mark.held())
        return false;
    runCommand(messages, command);
    return true;
}
