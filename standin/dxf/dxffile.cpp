#include "dxffile.h"

#include "dxfcodepagedetector.h"
#include "dxfdrawingreader.h"
#include "dxferror.h"
#include "dxfparser.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>

#include <algorithm>

namespace {

bool isEntitySection(const QByteArray &name)
{
    return name == "ENTITIES" || name == "BLOCKS";
}

// Objects of the ENTITIES and BLOCKS sections that are not entities.
bool isStructural(const QByteArray &type)
{
    return type == "SECTION" || type == "ENDSEC" || type == "BLOCK" || type == "ENDBLK";
}

quint64 parseHandle(const QString &handle)
{
    bool ok = false;
    const quint64 value = handle.trimmed().toULongLong(&ok, 16);
    return ok ? value : 0;
}

QString formatHandle(quint64 handle)
{
    return QString::number(handle, 16).toUpper();
}

// Group codes of TEXT, ATTRIB and ATTDEF in the order writers put them (the
// R12 order; each R2000 subclass keeps the same relative order). A missing
// group is added after the last of the groups listed before it.
const QList<int> &groupOrder(const QByteArray &type)
{
    static const QList<int> text = {10, 20, 30, 40, 1, 50, 41, 51, 7, 71, 72,
                                    11, 21, 31, 210, 220, 230, 73};
    static const QList<int> attrib = {10, 20, 30, 40, 1, 2, 70, 73, 50, 41, 51, 7, 71, 72,
                                      11, 21, 31, 210, 220, 230, 74};
    static const QList<int> attdef = {10, 20, 30, 40, 1, 3, 2, 70, 73, 50, 41, 51, 7, 71, 72,
                                      11, 21, 31, 210, 220, 230, 74};
    static const QList<int> insert = {66, 2, 10, 20, 30, 41, 42, 43, 50};
    if (type == "ATTRIB")
        return attrib;
    if (type == "ATTDEF")
        return attdef;
    if (type == "INSERT")
        return insert;
    return text;
}

QList<int> predecessorsOf(const QByteArray &type, int code)
{
    const QList<int> &order = groupOrder(type);
    const qsizetype index = order.indexOf(code);
    return index < 0 ? order : order.mid(0, index);
}

// The subclass holding a group: TEXT keeps its vertical justification in a
// second AcDbText subclass, ATTRIB and ATTDEF keep tag, prompt and vertical
// justification in their own subclass.
std::pair<QByteArray, int> subclassOf(const QByteArray &type, int code)
{
    if (type == "INSERT")
        return {"AcDbBlockReference", 0};
    if (type == "TEXT" && code == 73)
        return {"AcDbText", 1};
    if (type == "ATTRIB" && (code == 2 || code == 74))
        return {"AcDbAttribute", 0};
    if (type == "ATTDEF" && (code == 2 || code == 3 || code == 74))
        return {"AcDbAttributeDefinition", 0};
    return {"AcDbText", 0};
}

bool isTextType(const QByteArray &type)
{
    return type == "TEXT" || type == "ATTRIB" || type == "ATTDEF";
}

// Drops the extension dictionary and reactor lists from a copied entity:
// they belong to the original, and the objects they name do not know the copy.
void removeOwnerLinks(DxfObject &object)
{
    QList<DxfGroup> &groups = object.groups;
    for (qsizetype i = 0; i < groups.size();) {
        const DxfGroup &group = groups.at(i);
        const QByteArray value = group.trimmedValue();
        if (group.code == 102 && (value == "{ACAD_XDICTIONARY" || value == "{ACAD_REACTORS")) {
            qsizetype end = i + 1;
            while (end < groups.size() && !(groups.at(end).code == 102 && groups.at(end).trimmedValue() == "}"))
                ++end;
            groups.remove(i, std::min(end + 1, groups.size()) - i);
        } else {
            ++i;
        }
    }
}

} // namespace

DxfFile DxfFile::read(const QString &path, const QByteArray &codePage)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DxfError(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    return fromBytes(file.readAll(), codePage);
}

DxfFile DxfFile::fromBytes(const QByteArray &bytes, const QByteArray &codePage)
{
    DxfFile file;
    file.m_source = bytes;
    DxfParser::Result parsed = DxfParser::parse(file.m_source);
    file.m_sections = std::move(parsed.sections);
    file.m_afterEof = parsed.afterEof;
    file.chooseCodec(codePage);
    file.makeHandlesUnique();
    return file;
}

void DxfFile::chooseCodec(const QByteArray &given)
{
    if (DxfCodec::isUnicodeVersion(acadVersion())) {
        m_codec = DxfCodec();
        m_codePageSource = CodePageSource::Unicode;
        if (!given.isEmpty())
            m_readNotes << QStringLiteral("code page %1 not used: the drawing is R2007 or later, always UTF-8")
                               .arg(QString::fromLatin1(given));
        return;
    }
    if (!given.isEmpty()) {
        m_codec = DxfCodec::forCodePage(given);
        m_codePageSource = CodePageSource::Given;
        return;
    }
    const QByteArray declared = codePage();
    if (!DxfCodec::converterName(declared).isEmpty()) {
        m_codec = DxfCodec::forCodePage(declared);
        m_codePageSource = CodePageSource::Declared;
        return;
    }
    DxfCodePageDetector detector;
    for (const DxfSection &section : std::as_const(m_sections)) {
        for (const DxfObject &object : section.objects) {
            for (const DxfGroup &group : object.groups)
                detector.add(group.value);
        }
    }
    m_codec = DxfCodec::forCodePage(detector.codePage());
    m_codePageSource = CodePageSource::Detected;
    if (!declared.isEmpty())
        m_readNotes << QStringLiteral("code page \"%1\" is unknown; the texts read as %2")
                           .arg(QString::fromLatin1(declared), QString::fromLatin1(m_codec.codePage()));
}

QByteArray DxfFile::toBytes() const
{
    QByteArray bytes;
    bytes.reserve(m_source.size() + 1024);
    for (const DxfSection &section : m_sections) {
        for (const DxfObject &object : section.objects) {
            for (const DxfGroup &group : object.groups) {
                bytes += group.codeLine;
                bytes += group.value;
                bytes += group.valueEnd;
            }
        }
    }
    bytes += m_afterEof;
    return bytes;
}

void DxfFile::save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw DxfError(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    const QByteArray bytes = toBytes();
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw DxfError(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}

QByteArray DxfFile::headerValue(const QByteArray &name) const
{
    for (const DxfSection &section : m_sections) {
        if (section.name != "HEADER" || section.objects.isEmpty())
            continue;
        const QList<DxfGroup> &groups = section.objects.front().groups;
        for (qsizetype i = 0; i + 1 < groups.size(); ++i) {
            if (groups.at(i).code == 9 && groups.at(i).trimmedValue() == name)
                return groups.at(i + 1).trimmedValue();
        }
    }
    return QByteArray();
}

void DxfFile::setHeaderValue(const QByteArray &name, int code, const QByteArray &value)
{
    for (DxfSection &section : m_sections) {
        if (section.name != "HEADER" || section.objects.isEmpty())
            continue;
        QList<DxfGroup> &groups = section.objects.front().groups;
        for (qsizetype i = 0; i + 1 < groups.size(); ++i) {
            if (groups.at(i).code == 9 && groups.at(i).trimmedValue() == name) {
                groups[i + 1].value = value;
                return;
            }
        }
        // Not there yet: add it at the end of the header, in the layout of
        // its last group (a copy: the appends may move the list).
        const DxfGroup style = groups.isEmpty() ? DxfGroup() : groups.back();
        groups.append(DxfGroup::make(9, name, style));
        groups.append(DxfGroup::make(code, value, style));
        return;
    }
}

quint64 DxfFile::handleSeed() const
{
    return parseHandle(QString::fromLatin1(headerValue("$HANDSEED")));
}

void DxfFile::makeHandlesUnique()
{
    quint64 largest = 0;
    bool needed = false;
    QSet<quint64> seen;
    for (const DxfSection &section : std::as_const(m_sections)) {
        const bool entities = isEntitySection(section.name);
        for (const DxfObject &object : section.objects) {
            const quint64 handle = object.handle();
            largest = std::max(largest, handle);
            if (handle != 0) {
                if (seen.contains(handle))
                    needed = true;       // a repeat
                seen.insert(handle);
            } else if (entities && !isStructural(object.type())) {
                needed = true;           // an entity without a handle
            }
        }
    }
    // Never below a handle in use, nor in a gap: a dangling pointer may name it.
    m_nextHandle = std::max(handleSeed(), largest + 1);
    if (!needed)
        return;

    // One pass in file order: the first object with a handle keeps it
    // (tables come first, so pointers to table entries stay right).
    seen.clear();
    for (int s = 0; s < m_sections.size(); ++s) {
        const bool entities = isEntitySection(m_sections.at(s).name);
        QList<DxfObject> &objects = m_sections[s].objects;
        for (int o = 0; o < objects.size(); ++o) {
            DxfObject &object = objects[o];
            const quint64 handle = object.handle();
            if (handle != 0) {
                if (!seen.contains(handle)) {
                    seen.insert(handle);
                    continue;
                }
                const quint64 fresh = m_nextHandle++;
                m_renumbered.append({formatHandle(handle), formatHandle(fresh)});
                m_readNotes << QStringLiteral("handle %1 is in use; now %2").arg(formatHandle(handle), formatHandle(fresh));
                renumber({s, o}, fresh);
            } else if (entities && !isStructural(object.type())) {
                const QByteArray fresh = formatHandle(m_nextHandle++).toLatin1();
                object.groups.insert(1, DxfGroup::make(5, fresh, object.groups.front()));
                ++m_assignedHandles;
            }
        }
    }
    setHeaderValue("$HANDSEED", 5, formatHandle(m_nextHandle).toLatin1());
    // An R12 header may say handles are off; they are on now.
    if (headerValue("$HANDLING") == "0")
        setHeaderValue("$HANDLING", 70, "1");
    m_modified = true;
}

// Gives the object a fresh handle; an INSERT's ATTRIBs and SEQEND, a
// POLYLINE's VERTEXes and SEQEND point to their head and follow it.
void DxfFile::renumber(Location location, quint64 fresh)
{
    DxfObject &head = objectAt(location);
    const quint64 old = head.handle();
    const QByteArray value = formatHandle(fresh).toLatin1();
    const int code = head.type() == "DIMSTYLE" ? 105 : 5;
    head.groups[head.indexOf(code, 0, head.dataEnd())].value = value;

    const int followers = followerCount(location);
    for (int i = 1; i <= followers; ++i) {
        DxfObject &follower = objectAt({location.section, location.object + i});
        const qsizetype end = follower.dataEnd();
        for (qsizetype g = 0; g < end; ++g) {
            DxfGroup &group = follower.groups[g];
            if (group.code == 330 && parseHandle(QString::fromLatin1(group.trimmedValue())) == old)
                group.value = value;
        }
    }
}

QString DxfFile::allocateHandle()
{
    const QString handle = formatHandle(m_nextHandle++);
    setHeaderValue("$HANDSEED", 5, formatHandle(m_nextHandle).toLatin1());
    return handle;
}

void DxfFile::rebuildIndex() const
{
    m_index.clear();
    for (int s = 0; s < m_sections.size(); ++s) {
        const QList<DxfObject> &objects = m_sections.at(s).objects;
        for (int o = 0; o < objects.size(); ++o) {
            const quint64 handle = objects.at(o).handle();
            if (handle != 0)
                m_index.insert(handle, {s, o});
        }
    }
    m_indexValid = true;
}

DxfFile::Location DxfFile::locate(const QString &handle) const
{
    if (!m_indexValid)
        rebuildIndex();
    const auto it = m_index.constFind(parseHandle(handle));
    if (it == m_index.cend() || handle.trimmed().isEmpty())
        throw DxfError(QStringLiteral("no object with handle %1").arg(handle));
    return *it;
}

const DxfObject *DxfFile::object(const QString &handle) const
{
    if (!m_indexValid)
        rebuildIndex();
    const auto it = m_index.constFind(parseHandle(handle));
    if (it == m_index.cend())
        return nullptr;
    return &m_sections.at(it->section).objects.at(it->object);
}

DxfFile::Location DxfFile::locateText(const QString &handle, const char *action) const
{
    const Location location = locate(handle);
    const QByteArray type = m_sections.at(location.section).objects.at(location.object).type();
    if (!isTextType(type))
        throw DxfError(QStringLiteral("cannot %1 of a %2 (handle %3)")
                           .arg(QLatin1String(action), QString::fromLatin1(type), handle));
    return location;
}

DxfDrawing DxfFile::drawing() const
{
    return DxfDrawingReader(*this).read();
}

DxfEntity DxfFile::entity(const QString &handle) const
{
    const Location location = locate(handle);
    return DxfDrawingReader(*this).readOne(location.section, location.object);
}

void DxfFile::setTextGroup(Location location, int code, const QByteArray &value,
                           const QByteArray &defaultValue)
{
    DxfObject &object = objectAt(location);
    const QByteArray type = object.type();
    const auto [marker, occurrence] = subclassOf(type, code);
    object.setValue(code, value, marker, occurrence, predecessorsOf(type, code), defaultValue);
    m_modified = true;
}

void DxfFile::setPoint(Location location, int xCode, const DxfPoint &point)
{
    // A file that leaves out the z of the insertion point gets no z while it is 0.
    const bool writesZ = objectAt(location).find(30) != nullptr;
    setTextGroup(location, xCode, DxfGroup::formatDouble(point.x));
    setTextGroup(location, xCode + 10, DxfGroup::formatDouble(point.y));
    setTextGroup(location, xCode + 20, DxfGroup::formatDouble(point.z),
                 writesZ ? QByteArray() : DxfGroup::formatDouble(0));
}

void DxfFile::setString(const QString &handle, const QString &text)
{
    setTextGroup(locateText(handle, "set the string"), 1, m_codec.encode(text));
}

void DxfFile::setAlignment(const QString &handle, DxfAlignment alignment)
{
    const Location location = locateText(handle, "set the alignment");
    const DxfObject &object = objectAt(location);
    const QByteArray type = object.type();
    const DxfJustification justification = justificationFromAlignment(alignment);

    if (alignment != DxfAlignment::Left && !object.find(11)) {
        const DxfGroup *x = object.find(10);
        const DxfGroup *y = object.find(20);
        const DxfGroup *z = object.find(30);
        const DxfPoint insertion{x ? x->toDouble() : 0, y ? y->toDouble() : 0, z ? z->toDouble() : 0};
        setPoint(location, 11, insertion);
    }
    setTextGroup(location, 72, QByteArray::number(justification.horizontal), "0");
    setTextGroup(location, type == "TEXT" ? 73 : 74, QByteArray::number(justification.vertical), "0");
}

void DxfFile::setInsertionPoint(const QString &handle, const DxfPoint &point)
{
    const Location location = locate(handle);
    const QByteArray type = objectAt(location).type();
    if (!isTextType(type) && type != "INSERT")
        throw DxfError(QStringLiteral("cannot set the insertion point of a %1 (handle %2)")
                           .arg(QString::fromLatin1(type), handle));
    setPoint(location, 10, point);
}

void DxfFile::setAlignmentPoint(const QString &handle, const DxfPoint &point)
{
    setPoint(locateText(handle, "set the alignment point"), 11, point);
}

int DxfFile::followerCount(Location location) const
{
    const QList<DxfObject> &objects = m_sections.at(location.section).objects;
    const DxfObject &head = objects.at(location.object);
    const QByteArray type = head.type();
    QByteArray followerType;
    if (type == "INSERT") {
        const DxfGroup *attributesFollow = head.find(66);
        if (!attributesFollow || attributesFollow->trimmedValue() != "1")
            return 0;
        followerType = "ATTRIB";
    } else if (type == "POLYLINE") {
        followerType = "VERTEX";
    } else {
        return 0;
    }
    int count = 0;
    for (qsizetype i = location.object + 1; i < objects.size(); ++i) {
        const QByteArray next = objects.at(i).type();
        if (next == followerType) {
            ++count;
        } else {
            if (next == "SEQEND")
                ++count;
            break;
        }
    }
    return count;
}

QString DxfFile::copyEntity(const QString &handle)
{
    return copyEntity(handle, {});
}

QString DxfFile::copyEntity(const QString &handle, const QStringList &handles)
{
    for (const QString &given : handles) {
        const quint64 value = parseHandle(given);
        if (value == 0 || object(given))
            throw DxfError(QStringLiteral("cannot give a copy the handle %1: it is taken or invalid").arg(given));
        if (value >= m_nextHandle) {
            m_nextHandle = value + 1;
            setHeaderValue("$HANDSEED", 5, formatHandle(m_nextHandle).toLatin1());
        }
    }
    const Location location = locate(handle);
    const DxfSection &section = m_sections.at(location.section);
    const DxfObject &head = section.objects.at(location.object);
    const QByteArray type = head.type();
    if (!isEntitySection(section.name) || isStructural(type) || type == "ATTRIB"
        || type == "VERTEX" || type == "SEQEND")
        throw DxfError(QStringLiteral("cannot copy a %1 (handle %2)")
                           .arg(QString::fromLatin1(type), handle));

    const int count = 1 + followerCount(location);
    QList<DxfObject> copies = section.objects.mid(location.object, count);
    const QByteArray oldHead = head.find(5)->trimmedValue().toUpper();
    QString newHead;
    for (qsizetype i = 0; i < copies.size(); ++i) {
        DxfObject &copy = copies[i];
        const QString fresh = i < handles.size() ? formatHandle(parseHandle(handles.at(i))) : allocateHandle();
        if (newHead.isEmpty())
            newHead = fresh;
        removeOwnerLinks(copy);
        for (DxfGroup &group : copy.groups) {
            if (group.code == 5)
                group.value = fresh.toLatin1();
            // ATTRIBs, VERTEXes and SEQEND belong to the copied head.
            else if (group.code == 330 && group.trimmedValue().toUpper() == oldHead)
                group.value = newHead.toLatin1();
        }
    }
    QList<DxfObject> &objects = m_sections[location.section].objects;
    objects.insert(location.object + count, copies.size(), DxfObject());
    std::move(copies.begin(), copies.end(), objects.begin() + location.object + count);
    m_indexValid = false;
    m_modified = true;
    return newHead;
}

void DxfFile::removeEntity(const QString &handle)
{
    const Location location = locate(handle);
    const DxfSection &section = m_sections.at(location.section);
    const QByteArray type = section.objects.at(location.object).type();
    if (!isEntitySection(section.name) || isStructural(type) || type == "ATTRIB"
        || type == "VERTEX" || type == "SEQEND")
        throw DxfError(QStringLiteral("cannot remove a %1 (handle %2) on its own")
                           .arg(QString::fromLatin1(type), handle));
    const int count = 1 + followerCount(location);
    m_sections[location.section].objects.remove(location.object, count);
    m_indexValid = false;
    m_modified = true;
}
