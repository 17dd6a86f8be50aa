// The DXF layer's copy with handles chosen by the caller, as the stand-in
// saves the copies the in-memory drawing made: the head and ATTRIBs take the
// handles given, SEQEND a fresh one above them, and taken handles are
// refused.

#include "dxf/dxferror.h"
#include "dxf/dxffile.h"

#include <gtest/gtest.h>

namespace {

quint64 handleValue(const QString &handle)
{
    return handle.toULongLong(nullptr, 16);
}

// The objects from the entity with this handle through its SEQEND.
QList<DxfObject> entityWithFollowers(const DxfFile &file, const QString &handle)
{
    for (const DxfSection &section : file.sections()) {
        for (qsizetype i = 0; i < section.objects.size(); ++i) {
            if (section.objects[i].handle() != handleValue(handle))
                continue;
            QList<DxfObject> objects{section.objects[i]};
            while (++i < section.objects.size()) {
                const QByteArray type = section.objects[i].type();
                if (type != "ATTRIB" && type != "SEQEND")
                    break;
                objects << section.objects[i];
            }
            return objects;
        }
    }
    return {};
}

TEST(StandInDxfCopy, CopiesTakeTheHandlesGivenAndTheSeedMovesPastThem)
{
    DxfFile file = DxfFile::read(QStringLiteral(MORVEX_SAMPLE_DRAWING));
    const DxfDrawing drawing = file.drawing();
    QString insert;
    for (const DxfEntity &entity : drawing.entities) {
        const auto *data = std::get_if<DxfInsert>(&entity.data);
        if (data && data->attributes.size() == 4) {
            insert = entity.handle;
            break;
        }
    }
    ASSERT_FALSE(insert.isEmpty());
    const quint64 seed = file.handleSeed();
    const QStringList wanted{QString::number(seed + 10, 16).toUpper(), QString::number(seed + 11, 16).toUpper(),
                             QString::number(seed + 12, 16).toUpper(), QString::number(seed + 13, 16).toUpper(),
                             QString::number(seed + 14, 16).toUpper()};

    EXPECT_EQ(file.copyEntity(insert, wanted), wanted.front());
    const QList<DxfObject> copy = entityWithFollowers(file, wanted.front());
    ASSERT_EQ(copy.size(), 6); // INSERT, 4 ATTRIBs, SEQEND
    for (qsizetype i = 0; i < wanted.size(); ++i)
        EXPECT_EQ(copy[i].handle(), handleValue(wanted[i]));
    EXPECT_EQ(copy.back().type(), "SEQEND");
    EXPECT_EQ(copy.back().handle(), seed + 15);
    EXPECT_EQ(file.handleSeed(), seed + 16);
    const QList<DxfObject> original = entityWithFollowers(file, insert);
    ASSERT_EQ(original.size(), copy.size());
    for (qsizetype i = 1; i + 1 < copy.size(); ++i)
        EXPECT_EQ(copy[i].find(2)->value, original[i].find(2)->value) << "the same tag in the same place";

    // A handle the file holds already, or no handle at all, is refused and
    // nothing is copied.
    const QByteArray before = file.toBytes();
    EXPECT_THROW(file.copyEntity(insert, {wanted.front()}), DxfError);
    EXPECT_THROW(file.copyEntity(insert, {insert}), DxfError);
    EXPECT_THROW(file.copyEntity(insert, {QStringLiteral("XYZ")}), DxfError);
    EXPECT_EQ(file.toBytes(), before);

    // A handle below the seed that no object has is taken as given.
    EXPECT_EQ(file.copyEntity(insert, {QString::number(seed + 5, 16).toUpper()}),
              QString::number(seed + 5, 16).toUpper());
    EXPECT_EQ(file.handleSeed(), seed + 16 + 5); // four ATTRIBs and a SEQEND from the seed
}

} // namespace
