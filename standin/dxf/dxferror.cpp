#include "dxferror.h"

static QString withLine(const QString &message, int line)
{
    return line > 0 ? QStringLiteral("line %1: %2").arg(line).arg(message) : message;
}

DxfError::DxfError(const QString &message, int line)
    : std::runtime_error(withLine(message, line).toStdString()),
      m_message(withLine(message, line)),
      m_line(line)
{
}
