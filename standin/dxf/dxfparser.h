#ifndef DXFPARSER_H
#define DXFPARSER_H

#include "dxfsection.h"

#include <QByteArray>
#include <QList>

// Splits the bytes of an ASCII DXF file into sections, objects and groups.
// The groups refer to `bytes` without copying: keep it alive as long as the
// result. Throws DxfError naming the line for a truncated or malformed file.
class DxfParser
{
public:
    struct Result
    {
        QList<DxfSection> sections;
        QByteArray afterEof;   // whatever follows the EOF group, kept as is
    };

    static Result parse(const QByteArray &bytes);
};

#endif // DXFPARSER_H
