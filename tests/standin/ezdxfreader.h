#pragma once
// ezdxf (Debian's python3-ezdxf under /usr/bin/python3) as the independent
// reader of the drawings the stand-in saves: dxfdump.py's JSON per file.

#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace standintest {

bool ezdxfAvailable();
// The dump of one file; an empty object (and a test failure) when ezdxf
// cannot read it.
QJsonObject ezdxfDump(const QString &path);
// The entities of a dump that are in the file, by handle; a handle that
// comes twice is a test failure (the later entity is left out).
QHash<QString, QJsonObject> ezdxfEntitiesByHandle(const QJsonObject &dump);

// The DXF drawings of $MORVEX_SHARED_DRAWINGS and of each folder of
// $MORVEX_DRAWINGS (colon-separated); `skipReason` tells what is absent.
QStringList corpusDrawings(QString *skipReason);

} // namespace standintest
