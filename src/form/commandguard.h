#pragma once
// A failure that a command does not catch ends the command and is shown by
// the general error report; the program goes on.

#include "messageboxes.h"

#include "cad/caderror.h"

#include <QString>

#include <exception>

template <typename Command>
void runCommand(MessageBoxes &messages, Command command)
{
    try {
        command();
    } catch (const cad::CadError &e) {
        messages.error(QString::fromStdU16String(e.message()));
    } catch (const std::exception &e) {
        messages.error(QString::fromUtf8(e.what()));
    }
}
