// The values of the socket link and where its sockets live: every Variant
// crosses with its type, malformed values are refused, socket names are
// stable and distinct, the socket folder is private.
#include "cad/caderror.h"
#include "cad/dispatchobject.h"
#include "cad/remote/socketdirectory.h"
#include "cad/remote/variantcodec.h"

#include <QCborArray>
#include <QCborMap>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <set>

#include <sys/stat.h>

using namespace cad;
using namespace cad::remote;

namespace {

// Objects stand for themselves: a table of handles both ways.
class HandleTable
{
public:
    VariantCodec codec{[this](const ObjectRef &o) {
                           m_objects[++m_last] = o;
                           return m_last;
                       },
                       [this](ObjectHandle h) {
                           const auto it = m_objects.find(h);
                           if (it == m_objects.end())
                               throw CadError(u"Unknown object handle.");
                           return it->second;
                       }};

private:
    std::map<ObjectHandle, ObjectRef> m_objects;
    ObjectHandle m_last = 0;
};

class NoMembers : public DispatchObject
{
public:
    Variant get(std::u16string_view, const std::vector<Variant> &) override { return {}; }
    void put(std::u16string_view, const Variant &) override {}
    Variant call(std::u16string_view, std::vector<Variant> &) override { return {}; }
};

Variant throughBytes(const VariantCodec &codec, const Variant &value)
{
    const QByteArray bytes = codec.encode(value).toCbor();
    return codec.decode(QCborValue::fromCbor(bytes));
}

TEST(CadRemoteCodec, EveryVariantCrossesWithItsType)
{
    HandleTable table;
    const ObjectRef object = std::make_shared<NoMembers>();
    const std::vector<Variant> values{
        Variant(),
        Variant(true),
        Variant(false),
        Variant(int16_t(-3)),
        Variant(int32_t(70000)),
        Variant(int32_t(-2147483647 - 1)),
        Variant(int64_t(1) << 40),
        Variant(int64_t(5)),
        Variant(2.0), // an integral double stays a double
        Variant(-0.125),
        Variant(u""),
        Variant(u"盤 𠮷 ｶﾞ \\U+3042 \t"),
        Variant(std::vector<Variant>{}),
        Variant(std::vector<Variant>{int32_t(1), u"二", std::vector<Variant>{3.5, Variant()}}),
        Variant(std::vector<int16_t>{0, 1, 2, -32768}),
        Variant(std::vector<double>{1.5, 2, -3}),
        Variant(object),
        Variant(ObjectRef()),
    };
    for (const Variant &value : values) {
        const Variant back = throughBytes(table.codec, value);
        EXPECT_EQ(back.type(), value.type()) << typeName(value.type());
        EXPECT_EQ(back, value) << typeName(value.type());
    }
}

TEST(CadRemoteCodec, ValuesTheLinkDoesNotCarryAreRefused)
{
    HandleTable table;
    auto tagged = [](quint64 tag, const QCborValue &v) { return QCborValue(QCborTag(tag), v); };
    QCborValue deep = QCborArray{};
    for (int i = 0; i < 40; ++i)
        deep = QCborArray{deep};
    const std::vector<std::pair<const char *, QCborValue>> cases{
        {"integer beyond 32 bits untagged", QCborValue(qint64(1) << 33)},
        {"byte string", QCborValue(QByteArray("\x01\x02"))},
        {"map", QCborValue(QCborMap{{1, 2}})},
        {"unknown tag", tagged(12345, QCborValue(1))},
        {"16-bit integer out of range", tagged(39901, QCborValue(40000))},
        {"16-bit array with text", tagged(39903, QCborArray{1, QStringLiteral("x")})},
        {"number array with text", tagged(39904, QCborArray{1.5, QStringLiteral("x")})},
        {"object that is no handle", tagged(39900, QCborValue(QStringLiteral("h")))},
        {"object handle unknown", tagged(39900, QCborValue(99))},
        {"nesting without end", deep},
    };
    for (const auto &[what, value] : cases)
        EXPECT_THROW(table.codec.decode(value), CadError) << what;
    EXPECT_THROW(table.codec.decodeList(QCborValue(3)), CadError);
}

TEST(CadRemoteSocketName, IsStableCaseInsensitiveAndDistinct)
{
    const QString standard = socketNameForProgId(u"BricscadApp.AcadApplication");
    EXPECT_TRUE(standard.startsWith(QStringLiteral("bricscadapp.acadapplication-"))) << standard.toStdString();
    EXPECT_TRUE(standard.endsWith(QStringLiteral(".sock")));
    EXPECT_EQ(socketNameForProgId(u"BRICSCADAPP.ACADAPPLICATION"), standard);
    EXPECT_EQ(socketNameForProgId(u"BricscadApp.AcadApplication"), standard);

    // Characters a file name should not hold are replaced, and the hash
    // keeps ProgIDs apart that read alike after the replacement.
    const std::vector<std::u16string> alike{u"a/b", u"a b", u"a_b", u"a\\b", u"aあb"};
    std::set<QString> names;
    for (const std::u16string &progId : alike) {
        const QString name = socketNameForProgId(progId);
        EXPECT_TRUE(name.startsWith(QStringLiteral("a_b-"))) << name.toStdString();
        names.insert(name);
    }
    EXPECT_EQ(names.size(), alike.size());

    // A long ProgID still gives a name that fits a socket path.
    EXPECT_LT(socketNameForProgId(std::u16string(300, u'x')).size(), 60);
}

class CadRemoteSocketDirectory : public ::testing::Test
{
protected:
    CadRemoteSocketDirectory() : m_saved(qgetenv("XDG_RUNTIME_DIR")) { qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8()); }
    ~CadRemoteSocketDirectory() override { qputenv("XDG_RUNTIME_DIR", m_saved); }

    static int mode(const QString &path)
    {
        struct stat info{};
        ::stat(QFile::encodeName(path).constData(), &info);
        return int(info.st_mode & 07777);
    }

    QTemporaryDir m_runtime;
    QByteArray m_saved;
};

TEST_F(CadRemoteSocketDirectory, IsMadePrivateToTheUser)
{
    const QString folder = socketDirectory();
    EXPECT_EQ(folder, m_runtime.path() + QStringLiteral("/morvex"));
    EXPECT_EQ(mode(folder), 0700);
    EXPECT_EQ(socketPathForProgId(u"X.Y"), folder + u'/' + socketNameForProgId(u"X.Y"));

    // A folder others may enter is closed again.
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_EQ(socketDirectory(), folder);
    EXPECT_EQ(mode(folder), 0700);
}

TEST_F(CadRemoteSocketDirectory, AFileInItsPlaceIsRefused)
{
    QFile blocker(m_runtime.path() + QStringLiteral("/morvex"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_THROW(socketDirectory(), CadError);
}

} // namespace
