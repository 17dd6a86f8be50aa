#ifndef DXFGROUP_H
#define DXFGROUP_H

#include <QByteArray>

// One group of a DXF file: a code line and a value line, kept exactly as read
// (odd spacing of the code, trailing blanks of the value, CRLF or LF line
// ends) so that writing it back reproduces the file byte for byte.
struct DxfGroup
{
    int code = 0;
    int line = 0;              // 1-based line of the code line; 0 for groups made by an edit
    QByteArray codeLine;       // the code line with its line end
    QByteArray value;          // the value line without its line end
    QByteArray valueEnd;       // line end of the value line ("\r\n", "\n", or empty at end of file)

    // The value without surrounding blanks (for numbers, names and handles).
    QByteArray trimmedValue() const { return value.trimmed(); }
    // Numeric values; throw DxfError naming the line when the value is not a number.
    double toDouble() const;
    int toInt() const;

    // A group with the given code and value, laid out like `style` (padding
    // of the code line and line ends), for groups an edit adds.
    static DxfGroup make(int code, const QByteArray &value, const DxfGroup &style);
    // The shortest text that reads back as the same double ("12.5", "3.0").
    static QByteArray formatDouble(double value);
};

#endif // DXFGROUP_H
