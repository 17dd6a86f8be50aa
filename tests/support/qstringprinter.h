#ifndef QSTRINGPRINTER_H
#define QSTRINGPRINTER_H

// Lets failing checks show Qt strings and lists as text.
#include <QString>
#include <QStringList>

#include <optional>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList &lines, std::ostream *out)
{
    *out << '{';
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            *out << ", ";
        PrintTo(lines.at(i), out);
    }
    *out << '}';
}

inline void PrintTo(const std::optional<QStringList> &lines, std::ostream *out)
{
    if (lines)
        PrintTo(*lines, out);
    else
        *out << "(no file)";
}

#endif // QSTRINGPRINTER_H
