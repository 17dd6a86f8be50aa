#pragma once
// Small DXF drawings made in the tests, among them one of each class of
// file drafters bring from the field: Shift_JIS without a code page,
// windows-1252 without one, plain ASCII, repeated handles, a stale
// $HANDSEED, damaged tables; the check that a file's handles are unique,
// and reading and writing the files the tests make.

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

class DxfFile;

namespace standintest {

using DxfGroups = std::vector<std::pair<int, QByteArray>>;

// A DXF file from (code, value) pairs, codes right-aligned as CAD programs
// write them.
QByteArray makeDxf(const DxfGroups &groups, const QByteArray &lineEnd = "\n");

// The bytes of a file, empty when it cannot be read.
QByteArray fileBytes(const QString &path);
// Writes a file whole (a test failure when it cannot).
void writeFile(const QString &path, const QByteArray &bytes);

// Every handle of the file once, and $HANDSEED above all of them (test
// failures otherwise).
void expectHandlesUnique(const DxfFile &file);

// One TEXT or ATTRIB of a field drawing: its handle and string as a CAD
// reads them.
struct FieldText
{
    QString handle;
    QString string;
};

// R12 from an older Japanese CAD: Shift_JIS with no $DWGCODEPAGE, CR LF,
// handles on. Layer, style and block names in Japanese; texts with NEC row
// 13 (①, №, ㈱) and IBM extension characters (髙 as FB FC, ⅰ, 纊 as FA 5C),
// half-width kana, trail bytes 0x5C (表, ソ, 能, 予), a \U+ escape right
// after one; an INSERT of block 機器 with two ATTRIBs.
QByteArray shiftJisR12();
std::vector<FieldText> shiftJisR12Texts();

// R12 in windows-1252 with no $DWGCODEPAGE: umlauts, ß, typographic quotes
// and dashes, Œ, œ, ‹ ›, in texts and a layer name. Handles on, LF.
QByteArray latinR12();
std::vector<FieldText> latinR12Texts();

// R12 with only ASCII and no handles, no $DWGCODEPAGE.
QByteArray asciiR12();

// R2000 where writers gave objects handles already in use, one of each kind:
//  - TEXT 40 "first" and TEXT 40 "second" (entity/entity);
//  - TEXT 11 "over a layer" where LAYER A has 11 (entity/table entry);
//  - INSERT 42 whose first ATTRIB is 42 too (INSERT/its ATTRIB);
//  - INSERT 40 (a TEXT's handle) whose ATTRIB 46 and SEQEND 47 point to it
//    by 330 (entity/entity with followers);
//  - TEXT 50 "over an xrecord" where an XRECORD of OBJECTS has 50
//    (entity/OBJECTS object; the entity comes first).
// $HANDSEED is 60; the repeats become 60 .. 64 in file order.
QByteArray repeatedHandles();

// R2000 whose $HANDSEED (20) lies below handles in use (up to 7F), with a
// gap at 50 that a dangling pointer of the TEXT's reactors names, an INSERT
// with two ATTRIBs, and a TEXT written without a handle (it gets 80).
QByteArray staleHandleSeed();

// R2000 with damage no edit touches: a LAYER table without its TABLE head
// (the entries follow the LTYPE table's ENDTAB), and TEXTs owned (330) by a
// block record that does not exist.
QByteArray damagedTables();

} // namespace standintest
