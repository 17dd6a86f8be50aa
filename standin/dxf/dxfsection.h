#ifndef DXFSECTION_H
#define DXFSECTION_H

#include "dxfobject.h"

#include <QByteArray>
#include <QList>

// One section of a DXF file. objects[0] is the SECTION object (in the
// HEADER it also holds every header variable), the last one is ENDSEC.
// Objects outside any section (leading 999 comments, EOF) form sections
// without a name.
struct DxfSection
{
    QByteArray name;
    QList<DxfObject> objects;
};

#endif // DXFSECTION_H
