#ifndef DXFERROR_H
#define DXFERROR_H

#include <QString>

#include <stdexcept>

// A DXF file that cannot be read or written. The message names the line of
// the file where reading failed, when there is one.
class DxfError : public std::runtime_error
{
public:
    explicit DxfError(const QString &message, int line = 0);

    QString message() const { return m_message; }
    // 1-based line of the file, 0 when the error is not about one line.
    int line() const { return m_line; }

private:
    QString m_message;
    int m_line;
};

#endif // DXFERROR_H
