// The stand-in CAD on drawings as they come from the field, through the
// automation model the tool uses: texts of drawings without a code page
// read right, edited with the width tools and saved in their code page;
// repeated handles made unique so that every entity is reached and every
// edit lands in its own entity; fresh handles above a stale $HANDSEED;
// damage left as it is; bytes the code page leaves undefined kept. ezdxf,
// as the independent reader, sees exactly the edits.

#include "ezdxfreader.h"
#include "fielddrawings.h"

#include "app/caddocument.h"
#include "app/cadwindow.h"

#include "dxf/dxffile.h"

#include "cad/caderror.h"
#include "cad/remote/variantcodec.h"
#include "transform/zenhanutil.h"

#include <QJsonArray>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace cad;
using namespace standintest;
using cad::remote::fromQString;
using cad::remote::toQString;

QString textOf(const QJsonObject &entity)
{
    return entity.value(QStringLiteral("attribs")).toObject().value(QStringLiteral("text")).toString();
}

// The entity as ezdxf sees it, without what a renumbering or an edit changes.
QJsonObject withoutHandlesAndText(QJsonObject entity)
{
    QJsonObject attribs = entity.value(QStringLiteral("attribs")).toObject();
    for (const char *key : {"handle", "owner", "text"})
        attribs.remove(QLatin1String(key));
    entity.insert(QStringLiteral("attribs"), attribs);
    for (const char *key : {"handle", "owner", "in_file"})
        entity.remove(QLatin1String(key));
    return entity;
}

// The lines of two files that differ (the files have as many lines).
int changedLineCount(const QByteArray &before, const QByteArray &after)
{
    const QList<QByteArray> a = before.split('\n');
    const QList<QByteArray> b = after.split('\n');
    EXPECT_EQ(a.size(), b.size());
    int changed = 0;
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
        changed += a[i] != b[i];
    return changed;
}

class StandInFieldDrawing : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    void open(const QByteArray &bytes, const QString &name = QStringLiteral("field.dxf"))
    {
        m_path = m_folder.filePath(name);
        writeFile(m_path, bytes);
        m_document = standin::CadDocument::open(m_path);
        m_cadDocument = m_document->drawing()->application()->get(u"ActiveDocument").toObject();
    }

    ObjectRef object(const QString &handle)
    {
        return m_cadDocument->callWith(u"HandleToObject", {fromQString(handle)}).toObject();
    }

    QString string(const QString &handle) { return toQString(object(handle)->get(u"TextString").toString()); }

    void setString(const QString &handle, const QString &text)
    {
        m_cadDocument->call(u"StartUndoMark");
        object(handle)->put(u"TextString", fromQString(text));
        m_cadDocument->call(u"EndUndoMark");
    }

    QString saveAs(const QString &name)
    {
        const QString path = m_folder.filePath(name);
        m_document->saveTo(path);
        return path;
    }

    QTemporaryDir m_folder;
    QString m_path;
    std::unique_ptr<standin::CadDocument> m_document;
    ObjectRef m_cadDocument;
};

using Tool = std::function<void(std::u16string &)>;

TEST_F(StandInFieldDrawing, TextsWithoutACodePageReadEditAndSaveInTheirCodePage)
{
    if (!ezdxfAvailable())
        GTEST_SKIP() << "ezdxf is missing (/usr/bin/python3 with python3-ezdxf)";
    const Tool toFull = AllHanToZen;
    const Tool toHalf = AllZenToHan;
    const Tool appendMark = [](std::u16string &s) { s += u"（改）"; };
    struct Edit
    {
        QString handle;
        Tool tool;
        QString expected;
    };
    const struct
    {
        const char *name;
        QByteArray bytes;
        QString codePage;
        QString encoding;                 // the one ezdxf is given
        std::vector<FieldText> texts;     // as read
        std::vector<Edit> edits;
    } cases[] = {
        {"Shift_JIS R12", shiftJisR12(), "ANSI_932", "cp932", shiftJisR12Texts(),
         {{"20", toHalf, QStringLiteral("1階平面図")},
          {"21", toHalf, QStringLiteral("表示盤ｿﾌﾄ")},
          {"22", toFull, QStringLiteral("①制御盤　№１２")},
          {"24", appendMark, QStringLiteral("ⅰ纊（改）")},
          {"25", toFull, QStringLiteral("モーター１")},
          {"26", appendMark, QStringLiteral("能力予定é（改）")},
          {"28", toHalf, QStringLiteral("給水ﾎﾟﾝﾌﾟ")},
          {"29", toHalf, QStringLiteral("M-1")}}},
        {"windows-1252 R12", latinR12(), "ANSI_1252", "cp1252", latinR12Texts(),
         {{"20", toFull, QStringLiteral("Ｇｒößｅ")},
          {"22", appendMark, QStringLiteral("„Änderung“（改）")},
          {"21", toFull, QStringLiteral("Ｍａßｓｔａｂ　１：１００")},
          {"25", toFull, QStringLiteral("ｃａｆé　–　ｃｒèｍｅ　‹Ｐｌａｎ›")}}},
        {"ASCII R12 without handles", asciiR12(), "ANSI_1252", "cp1252",
         {{"1", QStringLiteral("PLAN 1:50")}, {"2", QStringLiteral("A-1")}},
         {{"2", toFull, QStringLiteral("Ａ－１")}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        open(c.bytes);
        EXPECT_EQ(m_document->undeclaredCodePage(), c.codePage);
        for (const FieldText &text : c.texts)
            EXPECT_EQ(string(text.handle), text.string) << text.handle.toStdString();

        // Saved unchanged: the file as read (with the handles given on reading, if any).
        const QString unchanged = saveAs(QStringLiteral("unchanged.dxf"));
        const DxfFile asRead = DxfFile::read(m_path);
        EXPECT_EQ(fileBytes(unchanged), asRead.isModified() ? asRead.toBytes() : c.bytes);

        QHash<QString, QString> edited;
        for (const Edit &edit : c.edits) {
            std::u16string text = fromQString(string(edit.handle));
            edit.tool(text);
            ASSERT_EQ(toQString(text), edit.expected) << edit.handle.toStdString();
            setString(edit.handle, edit.expected);
            edited.insert(edit.handle, edit.expected);
        }
        const QString saved = saveAs(QStringLiteral("edited.dxf"));
        const QByteArray savedBytes = fileBytes(saved);
        EXPECT_EQ(changedLineCount(fileBytes(unchanged), savedBytes), int(c.edits.size()));
        EXPECT_EQ(savedBytes.count("\r\n") == 0, c.bytes.count("\r\n") == 0) << "line ends kept";
        EXPECT_FALSE(savedBytes.contains("$DWGCODEPAGE")) << "the header untouched";

        // ezdxf, reading with the code page it decided itself: the texts as
        // read, and after the save exactly the edits.
        const QJsonObject before = ezdxfDump(unchanged);
        const QJsonObject after = ezdxfDump(saved);
        EXPECT_EQ(before.value("encoding").toString(), c.encoding);
        EXPECT_EQ(after.value("encoding").toString(), c.encoding);
        const QHash<QString, QJsonObject> theirsBefore = ezdxfEntitiesByHandle(before);
        const QHash<QString, QJsonObject> theirsAfter = ezdxfEntitiesByHandle(after);
        ASSERT_EQ(theirsAfter.size(), theirsBefore.size());
        for (const FieldText &text : c.texts) {
            SCOPED_TRACE(text.handle.toStdString());
            ASSERT_TRUE(theirsBefore.contains(text.handle));
            EXPECT_EQ(textOf(theirsBefore[text.handle]), text.string);
        }
        for (auto it = theirsBefore.cbegin(); it != theirsBefore.cend(); ++it) {
            SCOPED_TRACE(it.key().toStdString());
            const QJsonObject now = theirsAfter.value(it.key());
            EXPECT_EQ(textOf(now), edited.value(it.key(), textOf(it.value())));
            EXPECT_EQ(withoutHandlesAndText(now), withoutHandlesAndText(it.value()));
        }
    }
}

// Every way writers repeat handles, in one drawing: each entity is reached
// by its own handle, each edit lands in its own entity, and the save has no
// repeats.
TEST_F(StandInFieldDrawing, RepeatedHandlesEveryEntityReachedEveryEditInItsOwnEntity)
{
    if (!ezdxfAvailable())
        GTEST_SKIP() << "ezdxf is missing (/usr/bin/python3 with python3-ezdxf)";
    open(repeatedHandles());
    EXPECT_EQ(m_document->renumberedHandleCount(), 5);
    const struct
    {
        QString handle;
        std::u16string objectName;
        QString string;
    } entities[] = {
        {"40", u"AcDbText", "first"},
        {"60", u"AcDbText", "second"},
        {"61", u"AcDbText", "over a layer"},
        {"42", u"AcDbBlockReference", QString()},
        {"62", u"AcDbAttribute", "insert and attrib"},
        {"43", u"AcDbAttribute", "P-1"},
        {"63", u"AcDbBlockReference", QString()},
        {"46", u"AcDbAttribute", "insert over a text"},
        {"47", u"AcDbAttribute", "P-2"},
        {"50", u"AcDbText", "over an xrecord"},
    };
    QHash<QString, QString> edited;
    for (const auto &entity : entities) {
        SCOPED_TRACE(entity.handle.toStdString());
        const ObjectRef cadObject = object(entity.handle);
        EXPECT_EQ(cadObject->get(u"ObjectName").toString(), entity.objectName);
        if (entity.string.isNull())
            continue;
        EXPECT_EQ(string(entity.handle), entity.string);
        setString(entity.handle, entity.string + " #" + entity.handle);
        edited.insert(entity.handle, entity.string + " #" + entity.handle);
    }
    // The INSERTs hold their own ATTRIBs.
    const auto attributesOf = [&](const QString &insert) {
        QStringList handles;
        const std::vector<Variant> attributes = object(insert)->call(u"GetAttributes").toVariantArray();
        for (const Variant &attribute : attributes)
            handles << toQString(attribute.toObject()->get(u"Handle").toString());
        return handles;
    };
    EXPECT_EQ(attributesOf("42"), (QStringList{"62", "43"}));
    EXPECT_EQ(attributesOf("63"), (QStringList{"46", "47"}));

    const QString saved = saveAs(QStringLiteral("saved.dxf"));
    const DxfFile savedFile = DxfFile::read(saved);
    expectHandlesUnique(savedFile);
    EXPECT_FALSE(savedFile.isModified()) << "read again, nothing to renumber";

    // ezdxf reads the original with its repeats in file order, and the saved
    // file with the same entities, their own handles, and each its edit.
    const QJsonObject original = ezdxfDump(m_path);
    const QJsonObject after = ezdxfDump(saved);
    EXPECT_EQ(original.value("loader").toString(), "readfile");
    EXPECT_EQ(after.value("loader").toString(), "readfile");
    const QHash<QString, QJsonObject> byHandle = ezdxfEntitiesByHandle(after);
    EXPECT_EQ(byHandle.size(), 10 + 2) << "model space and the block's ATTDEFs";
    for (auto it = edited.cbegin(); it != edited.cend(); ++it)
        EXPECT_EQ(textOf(byHandle.value(it.key())), it.value()) << it.key().toStdString();
    EXPECT_EQ(byHandle.value("46").value("owner").toString(), "63");
    EXPECT_EQ(byHandle.value("62").value("owner").toString(), "42");

    const QJsonArray before = original.value("entities").toArray();
    const QJsonArray now = after.value("entities").toArray();
    ASSERT_EQ(now.size(), before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const QJsonObject was = before.at(i).toObject();
        const QJsonObject is = now.at(i).toObject();
        SCOPED_TRACE(is.value("handle").toString().toStdString());
        EXPECT_EQ(withoutHandlesAndText(is), withoutHandlesAndText(was));
        const QString handle = is.value("handle").toString();
        if (edited.contains(handle)) {
            EXPECT_EQ(textOf(is), textOf(was) + " #" + handle);
        }
    }
}

TEST_F(StandInFieldDrawing, CopiesInADrawingWithAStaleSeedTakeHandlesAboveEveryHandle)
{
    if (!ezdxfAvailable())
        GTEST_SKIP() << "ezdxf is missing (/usr/bin/python3 with python3-ezdxf)";
    open(staleHandleSeed());
    m_cadDocument->call(u"StartUndoMark");
    const ObjectRef textCopy = object("40")->call(u"Copy").toObject();
    const ObjectRef insertCopy = object("60")->call(u"Copy").toObject();
    m_cadDocument->call(u"EndUndoMark");
    std::vector<Handle> copies{handleFromString(textCopy->get(u"Handle").toString()),
                               handleFromString(insertCopy->get(u"Handle").toString())};
    const std::vector<Variant> attributes = insertCopy->call(u"GetAttributes").toVariantArray();
    for (const Variant &attribute : attributes)
        copies.push_back(handleFromString(attribute.toObject()->get(u"Handle").toString()));
    for (Handle copy : copies)
        EXPECT_GT(copy, 0x80u) << "above the largest handle and the one given on reading";

    const QString saved = saveAs(QStringLiteral("saved.dxf"));
    const DxfFile savedFile = DxfFile::read(saved);
    expectHandlesUnique(savedFile);
    EXPECT_EQ(savedFile.object("50"), nullptr) << "the gap a dangling pointer names stays free";

    const QHash<QString, QJsonObject> theirs = ezdxfEntitiesByHandle(ezdxfDump(saved));
    EXPECT_EQ(textOf(theirs.value(toQString(handleToString(copies[0])))), "copied text");
    const QString insert = toQString(handleToString(copies[1]));
    ASSERT_TRUE(theirs.contains(insert));
    for (size_t i = 2; i < copies.size(); ++i)
        EXPECT_EQ(theirs.value(toQString(handleToString(copies[i]))).value("owner").toString(), insert);
}

TEST_F(StandInFieldDrawing, DamageNoEditTouchesIsNeitherLostNorRepaired)
{
    open(damagedTables());
    EXPECT_EQ(m_document->drawing()->entities().size(), 2u);
    EXPECT_EQ(m_document->drawing()->layers().size(), 2u);
    EXPECT_TRUE(m_document->readNotes().isEmpty());
    const QString unchanged = saveAs(QStringLiteral("unchanged.dxf"));
    EXPECT_EQ(fileBytes(unchanged), damagedTables());

    setString("40", QStringLiteral("owner still missing"));
    setString("41", QStringLiteral("Eigentümer 99 fehlt"));
    const QString saved = saveAs(QStringLiteral("saved.dxf"));
    EXPECT_EQ(changedLineCount(damagedTables(), fileBytes(saved)), 2);
    if (!ezdxfAvailable())
        GTEST_SKIP() << "ezdxf is missing (/usr/bin/python3 with python3-ezdxf)";
    const QJsonObject theirs = ezdxfDump(saved);
    std::printf("ezdxf read the damaged drawing with %s\n", qPrintable(theirs.value("loader").toString()));
    const QHash<QString, QJsonObject> byHandle = ezdxfEntitiesByHandle(theirs);
    EXPECT_EQ(textOf(byHandle.value("40")), "owner still missing");
    EXPECT_EQ(textOf(byHandle.value("41")), QStringLiteral("Eigentümer 99 fehlt"));
}

TEST_F(StandInFieldDrawing, UndefinedBytesAreKeptOrTheEditRefused)
{
    // Declared ANSI_932, with a code no table fills in one string.
    QByteArray bytes = asciiR12();
    bytes.replace("AC1009\n", "AC1009\n  9\n$DWGCODEPAGE\n  3\nANSI_932\n");
    bytes.replace("PLAN 1:50", "\x85\x40\x95\x5C PLAN");
    open(bytes);
    const QString asRead = string("1");
    EXPECT_EQ(asRead, QStringLiteral("\uF785\uF740表 PLAN"));

    // Dropping the trail byte would make the lead byte take the next one.
    const int steps = m_document->drawing()->undoStepCount();
    try {
        object("1")->put(u"TextString", fromQString(asRead.left(1) + QStringLiteral("表")));
        ADD_FAILURE() << "the edit was taken";
    } catch (const CadError &e) {
        EXPECT_TRUE(toQString(e.message()).contains(QLatin1String("ANSI_932"))) << toQString(e.message()).toStdString();
    }
    EXPECT_EQ(string("1"), asRead);
    EXPECT_EQ(m_document->drawing()->undoStepCount(), steps);

    // The width tools around them keep them.
    std::u16string text = fromQString(asRead);
    AllHanToZen(text);
    setString("1", toQString(text));
    const QByteArray saved = fileBytes(saveAs(QStringLiteral("saved.dxf")));
    EXPECT_TRUE(saved.contains("\x85\x40\x95\x5C\x81\x40\x82\x6F\x82\x6B\x82\x60\x82\x6D\n"))
            << "the undefined bytes, then 表　ＰＬＡＮ";

    // A string that reached the drawing past the model's refusal is not
    // saved: the file keeps it as read, and the save says so.
    m_document->drawing()->entity(1)->text = fromQString(asRead.left(1) + QStringLiteral("表"));
    const QStringList notes = m_document->saveTo(m_folder.filePath(QStringLiteral("refused.dxf")));
    ASSERT_EQ(notes.size(), 1);
    EXPECT_TRUE(notes.front().startsWith(QLatin1String("the new string of TEXT 1 is not saved"))) << notes.front().toStdString();
    EXPECT_EQ(fileBytes(m_folder.filePath(QStringLiteral("refused.dxf"))), DxfFile::read(m_path).toBytes());
}

TEST(StandInFieldWindow, StatusBarTellsTheCodePageDecidedAndTheHandlesRenumbered)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const struct
    {
        const char *name;
        QByteArray bytes;
        QByteArray given;
        QString codePage;      // the label's text, empty: no label
        QString renumbered;
    } cases[] = {
        {"shift-jis.dxf", shiftJisR12(), {}, QStringLiteral("コードページ ANSI_932（推定）"), QString()},
        {"given.dxf", shiftJisR12(), "ANSI_1252", QStringLiteral("コードページ ANSI_1252（指定）"), QString()},
        {"repeated.dxf", repeatedHandles(), {}, QString(), QStringLiteral("重複ハンドル 5 件を振り直し")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QString::fromLatin1(c.name));
        writeFile(path, c.bytes);
        const auto document = standin::CadDocument::open(path, c.given);
        standin::CadWindow window(*document);
        const auto *codePage = window.findChild<QLabel *>(QStringLiteral("codePageLabel"));
        const auto *renumbered = window.findChild<QLabel *>(QStringLiteral("renumberedHandlesLabel"));
        EXPECT_EQ(codePage ? codePage->text() : QString(), c.codePage);
        EXPECT_EQ(renumbered ? renumbered->text() : QString(), c.renumbered);
        if (renumbered) {
            EXPECT_TRUE(renumbered->toolTip().contains(QLatin1String("handle 40 is in use; now 60")));
        }
    }
}

} // namespace
