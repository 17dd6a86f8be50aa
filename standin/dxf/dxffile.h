#ifndef DXFFILE_H
#define DXFFILE_H

#include "dxfalignment.h"
#include "dxfcodec.h"
#include "dxfdrawing.h"
#include "dxfsection.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// An ASCII DXF file (R12 to R2018) held as sections of objects of groups,
// each group kept exactly as read. Saving an unchanged file reproduces it
// byte for byte; an edit changes only the groups it touches. Nothing is
// written to disk unless save() is called.
//
// Entities are addressed by handle (hex, either case). Files whose entities
// have no handles (R12 written without them) get handles on reading; those
// are written on saving, and $HANDSEED moves past them.
//
// Reading and editing throw DxfError with a message naming the line.
class DxfFile
{
public:
    static DxfFile read(const QString &path);
    static DxfFile fromBytes(const QByteArray &bytes);

    QByteArray toBytes() const;
    // Writes to a temporary file beside `path` and renames it over `path`,
    // so a failed save leaves the old file intact.
    void save(const QString &path) const;

    // The raw value of a header variable ("$ACADVER"), empty when absent.
    QByteArray headerValue(const QByteArray &name) const;
    QByteArray acadVersion() const { return headerValue("$ACADVER"); }
    QByteArray codePage() const { return headerValue("$DWGCODEPAGE"); }
    quint64 handleSeed() const;
    const DxfCodec &codec() const { return m_codec; }

    const QList<DxfSection> &sections() const { return m_sections; }
    // Handles given on reading to entities that had none.
    int assignedHandleCount() const { return m_assignedHandles; }
    // True after an edit or when handles were assigned on reading.
    bool isModified() const { return m_modified; }

    // The object with this handle, nullptr when there is none.
    const DxfObject *object(const QString &handle) const;
    // A string value decoded from the file's encoding, \U+XXXX escapes resolved.
    QString decode(const DxfGroup &group) const { return m_codec.decode(group.value); }

    // The typed view of the drawing (see DxfDrawingReader).
    DxfDrawing drawing() const;
    // The typed view of one entity, e.g. of a copy just made; an entity the
    // view leaves out (POINT, HATCH, ...) comes back with an empty type.
    DxfEntity entity(const QString &handle) const;

    // Edits of TEXT, ATTRIB and ATTDEF (the string of an ATTDEF is its
    // default value). A character the code page cannot hold is written as
    // \U+XXXX.
    void setString(const QString &handle, const QString &text);
    // Groups 72 and 73 (TEXT) or 74 (ATTRIB, ATTDEF). An alignment other
    // than left gets an alignment point at the insertion point if it has none.
    void setAlignment(const QString &handle, DxfAlignment alignment);
    // Groups 10/20/30 of a TEXT, ATTRIB, ATTDEF or INSERT.
    void setInsertionPoint(const QString &handle, const DxfPoint &point);
    // Groups 11/21/31 of a TEXT, ATTRIB or ATTDEF.
    void setAlignmentPoint(const QString &handle, const DxfPoint &point);

    // Adds a copy of the entity (of an INSERT with its ATTRIBs and SEQEND,
    // of a POLYLINE with its VERTEXes and SEQEND) right after it, with fresh
    // handles from $HANDSEED, which is moved on. Returns the copy's handle.
    QString copyEntity(const QString &handle);
    // The same, with the handles a caller chose for the copy's first objects
    // (the head, then an INSERT's ATTRIBs in order; a program keeping its own
    // handles uses this): the rest (VERTEX, SEQEND) get fresh ones, and
    // $HANDSEED moves past every handle given. A handle given that is
    // already in the file is refused.
    QString copyEntity(const QString &handle, const QStringList &handles);
    // Removes the entity, and for an INSERT its ATTRIBs and SEQEND (for a
    // POLYLINE its VERTEXes and SEQEND).
    void removeEntity(const QString &handle);

private:
    struct Location
    {
        int section = -1;
        int object = -1;
    };

    DxfFile() = default;
    Location locate(const QString &handle) const;
    Location locateText(const QString &handle, const char *action) const;
    DxfObject &objectAt(Location location) { return m_sections[location.section].objects[location.object]; }
    int followerCount(Location location) const;
    void rebuildIndex() const;
    void assignMissingHandles();
    QString allocateHandle();
    void setHeaderValue(const QByteArray &name, int code, const QByteArray &value);
    void setTextGroup(Location location, int code, const QByteArray &value,
                      const QByteArray &defaultValue = QByteArray());
    void setPoint(Location location, int xCode, const DxfPoint &point);

    QByteArray m_source;                 // the bytes the groups refer to
    QList<DxfSection> m_sections;
    QByteArray m_afterEof;
    DxfCodec m_codec;
    quint64 m_nextHandle = 1;
    int m_assignedHandles = 0;
    bool m_modified = false;
    mutable QHash<quint64, Location> m_index;
    mutable bool m_indexValid = false;
};

#endif // DXFFILE_H
