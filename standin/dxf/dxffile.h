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
// Entities are addressed by handle (hex, either case). Reading makes every
// handle unique, once, so that every object can be reached: entities
// without a handle (R12 written without them) get one, and an object whose
// handle an earlier object of the file has already (writers that number
// entities over table entries, or twice) gets a fresh one. Fresh handles
// lie above $HANDSEED and above every handle of the file. Saving writes
// them, and $HANDSEED moves past them.
//
// Files before R2007 that name no code page, or one unknown here, are read
// in the code page their texts show (see DxfCodePageDetector), unless the
// reader gives one.
//
// Reading and editing throw DxfError with a message naming the line.
class DxfFile
{
public:
    // `codePage`, when not empty, is the code page of a pre-R2007 file
    // whatever its header says ("ANSI_932"); an unknown name throws DxfError.
    static DxfFile read(const QString &path, const QByteArray &codePage = QByteArray());
    static DxfFile fromBytes(const QByteArray &bytes, const QByteArray &codePage = QByteArray());

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

    // Where the encoding of the texts comes from.
    enum class CodePageSource {
        Unicode,    // R2007 and later: UTF-8
        Declared,   // $DWGCODEPAGE
        Detected,   // none or an unknown one declared: decided from the texts
        Given,      // given by the reader
    };
    CodePageSource codePageSource() const { return m_codePageSource; }

    struct RenumberedHandle
    {
        QString was;    // the handle in the file, upper case
        QString now;    // the fresh one
    };
    // Handles changed on reading because an earlier object had them, in file order.
    const QList<RenumberedHandle> &renumberedHandles() const { return m_renumbered; }
    // What reading decided or repaired, one line each: an unknown code page
    // name, each renumbered handle ("handle 2A is in use; now 2F").
    const QStringList &readNotes() const { return m_readNotes; }
    // The handle the next fresh one will be.
    quint64 nextHandle() const { return m_nextHandle; }

    const QList<DxfSection> &sections() const { return m_sections; }
    // Handles given on reading to entities that had none.
    int assignedHandleCount() const { return m_assignedHandles; }
    // True after an edit or when handles were given or changed on reading.
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
    void chooseCodec(const QByteArray &given);
    void makeHandlesUnique();
    void renumber(Location location, quint64 fresh);
    QString allocateHandle();
    void setHeaderValue(const QByteArray &name, int code, const QByteArray &value);
    void setTextGroup(Location location, int code, const QByteArray &value,
                      const QByteArray &defaultValue = QByteArray());
    void setPoint(Location location, int xCode, const DxfPoint &point);

    QByteArray m_source;                 // the bytes the groups refer to
    QList<DxfSection> m_sections;
    QByteArray m_afterEof;
    DxfCodec m_codec;
    CodePageSource m_codePageSource = CodePageSource::Unicode;
    quint64 m_nextHandle = 1;
    int m_assignedHandles = 0;
    QList<RenumberedHandle> m_renumbered;
    QStringList m_readNotes;
    bool m_modified = false;
    mutable QHash<quint64, Location> m_index;
    mutable bool m_indexValid = false;
};

#endif // DXFFILE_H
