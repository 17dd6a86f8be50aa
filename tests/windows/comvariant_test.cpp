// Values crossing COM: every kind of Variant into a VARIANT and back, the
// forms a CAD's server returns (VT_I4 or VT_I8 for an ObjectID, by
// reference, arrays of objects or of several dimensions), and no BSTR,
// SAFEARRAY or interface reference left behind or released twice.
#include "support/allocationspy.h"
#include "support/dispatchadapter.h"

#include "cad/caderror.h"
#include "cad/com/comapartment.h"
#include "cad/com/comvariant.h"

#include <oleauto.h>

#include <gtest/gtest.h>

using namespace cad;
using namespace cad::com;
using namespace cad::com::test;

namespace {

class Probe : public DispatchObject
{
public:
    Variant get(std::u16string_view, const std::vector<Variant> & = {}) override { return Variant(int32_t(7)); }
    void put(std::u16string_view, const Variant &) override {}
    Variant call(std::u16string_view, std::vector<Variant> &) override { return {}; }
    using DispatchObject::call;
};

class ComValues : public ::testing::Test
{
protected:
    ComApartment apartment;
    std::shared_ptr<ServerState> state = std::make_shared<ServerState>();
    ServerDispatchBridge bridge{state};
};

struct RoundTrip
{
    const char *name;
    Variant value;
    VARTYPE expectedType;
};

TEST_F(ComValues, EveryKindOfValueCrossesWithItsAutomationType)
{
    const ObjectRef object = std::make_shared<Probe>();
    const RoundTrip cases[] = {
        {"empty", Variant(), VT_EMPTY},
        {"left-out argument", Variant::missing(), VT_ERROR},
        {"true", Variant(true), VT_BOOL},
        {"false", Variant(false), VT_BOOL},
        {"int16 filter code", Variant(int16_t(-2)), VT_I2},
        {"int32", Variant(int32_t(123456)), VT_I4},
        {"int64 object id", Variant(int64_t(0x123456789ABLL)), VT_I8},
        {"double", Variant(2.5), VT_R8},
        {"Japanese string", Variant(u"ﾓｰﾀｰ１ 号機"), VT_BSTR},
        {"empty string", Variant(u""), VT_BSTR},
        {"string with a NUL inside", Variant(std::u16string(u"a\0b", 3)), VT_BSTR},
        {"point", Variant(std::vector<double>{1.5, -2, 0}), VT_ARRAY | VT_R8},
        {"filter codes", Variant(std::vector<int16_t>{0, 1, 2}), VT_ARRAY | VT_I2},
        {"filter values", Variant(std::vector<Variant>{Variant(u"TEXT"), Variant(u"*ﾓｰﾀｰ*")}), VT_ARRAY | VT_VARIANT},
        {"nested array", Variant(std::vector<Variant>{Variant(int16_t(1)), Variant(std::vector<double>{3, 4})}),
         VT_ARRAY | VT_VARIANT},
        {"empty array", Variant(std::vector<Variant>{}), VT_ARRAY | VT_VARIANT},
        {"object", Variant(object), VT_DISPATCH},
    };
    for (const RoundTrip &c : cases) {
        SCOPED_TRACE(c.name);
        ComVariant v = toComVariant(c.value, bridge);
        EXPECT_EQ(V_VT(&v.get()), c.expectedType);
        EXPECT_EQ(fromComVariant(v.get(), bridge), c.value);
    }
}

TEST_F(ComValues, SpecificAutomationEncodings)
{
    ComVariant missing = toComVariant(Variant::missing(), bridge);
    EXPECT_EQ(V_ERROR(&missing.get()), DISP_E_PARAMNOTFOUND);
    ComVariant yes = toComVariant(Variant(true), bridge);
    EXPECT_EQ(V_BOOL(&yes.get()), VARIANT_TRUE);
    ComVariant text = toComVariant(Variant(std::u16string(u"a\0b", 3)), bridge);
    EXPECT_EQ(SysStringLen(V_BSTR(&text.get())), 3u);
    ComVariant point = toComVariant(Variant(std::vector<double>{1, 2, 3}), bridge);
    LONG lower = -1, upper = -1;
    SafeArrayGetLBound(V_ARRAY(&point.get()), 1, &lower);
    SafeArrayGetUBound(V_ARRAY(&point.get()), 1, &upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 2);
}

TEST_F(ComValues, IntegersOfEveryWidthReadAsIntegers)
{
    // An ObjectID or HWND is a LONG_PTR: VT_I4 from a 32-bit CAD, VT_I8 from
    // a 64-bit one.
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = 0x7FFF1234;
    EXPECT_EQ(fromComVariant(v, bridge).toInt64(), 0x7FFF1234);
    V_VT(&v) = VT_I8;
    V_I8(&v) = 0x1234567890LL;
    EXPECT_EQ(fromComVariant(v, bridge).toInt64(), 0x1234567890LL);
    V_VT(&v) = VT_UI4;
    V_UI4(&v) = 0xFFFFFFF0u;
    EXPECT_EQ(fromComVariant(v, bridge).toInt64(), 0xFFFFFFF0LL);
    V_VT(&v) = VT_UI1;
    V_UI1(&v) = 200;
    EXPECT_EQ(fromComVariant(v, bridge).toInt64(), 200);
    V_VT(&v) = VT_R4;
    V_R4(&v) = 0.5f;
    EXPECT_EQ(fromComVariant(v, bridge).toDouble(), 0.5);
    V_VT(&v) = VT_NULL;
    EXPECT_TRUE(fromComVariant(v, bridge).isEmpty());
}

TEST_F(ComValues, ValuesByReferenceAreFollowed)
{
    LONG id = 4242;
    VARIANT byRef;
    VariantInit(&byRef);
    V_VT(&byRef) = VT_BYREF | VT_I4;
    V_I4REF(&byRef) = &id;
    EXPECT_EQ(fromComVariant(byRef, bridge).toInt64(), 4242);

    ComVariant inner = toComVariant(Variant(u"TAG"), bridge);
    VARIANT variantRef;
    VariantInit(&variantRef);
    V_VT(&variantRef) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&variantRef) = &inner.get();
    EXPECT_EQ(fromComVariant(variantRef, bridge).toString(), u"TAG");

    ComVariant array = toComVariant(Variant(std::vector<double>{1, 2}), bridge);
    SAFEARRAY *arrayPointer = V_ARRAY(&array.get());
    VARIANT arrayRef;
    VariantInit(&arrayRef);
    V_VT(&arrayRef) = VT_BYREF | VT_ARRAY | VT_R8;
    V_ARRAYREF(&arrayRef) = &arrayPointer;
    EXPECT_EQ(fromComVariant(arrayRef, bridge), Variant(std::vector<double>{1, 2}));
}

TEST_F(ComValues, ArraysAsCadServersReturnThem)
{
    // GetAttributes: an array of object references (VT_DISPATCH elements).
    const ObjectRef first = std::make_shared<Probe>();
    const ObjectRef second = std::make_shared<Probe>();
    {
        SAFEARRAY *objects = SafeArrayCreateVector(VT_DISPATCH, 0, 2);
        IDispatch **slots = nullptr;
        SafeArrayAccessData(objects, reinterpret_cast<void **>(&slots));
        slots[0] = bridge.exportObject(first);
        slots[1] = bridge.exportObject(second);
        SafeArrayUnaccessData(objects);
        ComVariant v;
        V_VT(&v.get()) = VT_ARRAY | VT_DISPATCH;
        V_ARRAY(&v.get()) = objects;
        const Variant read = fromComVariant(v.get(), bridge);
        ASSERT_EQ(read.toVariantArray().size(), 2u);
        EXPECT_EQ(read.toVariantArray()[0].toObject(), first);
        EXPECT_EQ(read.toVariantArray()[1].toObject(), second);
    }
    EXPECT_EQ(DispatchAdapter::liveCount(), 0) << "the array's references were released";

    // A transformation matrix: two dimensions, read in memory order; and an
    // array that does not start at 0.
    SAFEARRAYBOUND bounds[2] = {{4, 0}, {4, 0}};
    SAFEARRAY *matrix = SafeArrayCreate(VT_R8, 2, bounds);
    double *cells = nullptr;
    SafeArrayAccessData(matrix, reinterpret_cast<void **>(&cells));
    for (int i = 0; i < 16; ++i)
        cells[i] = i;
    SafeArrayUnaccessData(matrix);
    ComVariant m;
    V_VT(&m.get()) = VT_ARRAY | VT_R8;
    V_ARRAY(&m.get()) = matrix;
    const std::vector<double> read = fromComVariant(m.get(), bridge).toDoubleArray();
    ASSERT_EQ(read.size(), 16u);
    EXPECT_EQ(read[5], 5.0);

    SAFEARRAYBOUND fromOne{2, 1};
    SAFEARRAY *names = SafeArrayCreate(VT_BSTR, 1, &fromOne);
    LONG index = 1;
    BSTR a = SysAllocString(L"NAME");
    SafeArrayPutElement(names, &index, a);
    SysFreeString(a);
    index = 2;
    BSTR b = SysAllocString(L"仕様");
    SafeArrayPutElement(names, &index, b);
    SysFreeString(b);
    ComVariant n;
    V_VT(&n.get()) = VT_ARRAY | VT_BSTR;
    V_ARRAY(&n.get()) = names;
    EXPECT_EQ(fromComVariant(n.get(), bridge), Variant(std::vector<Variant>{Variant(u"NAME"), Variant(u"仕様")}));
}

TEST_F(ComValues, KindsTheModelNeverPassesAreRefused)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_ERROR;
    V_ERROR(&v) = E_FAIL;
    EXPECT_THROW(fromComVariant(v, bridge), CadError);
    V_VT(&v) = VT_RECORD;
    EXPECT_THROW(fromComVariant(v, bridge), CadError);
}

TEST_F(ComValues, NothingIsLeftBehindOrReleasedTwice)
{
    const ObjectRef object = std::make_shared<Probe>();
    const long adaptersBefore = DispatchAdapter::liveCount();
    AllocationSpy spy;
    ASSERT_TRUE(spy.isRegistered());
    for (int round = 0; round < 50; ++round) {
        const Variant value(std::vector<Variant>{
            Variant(u"文字列"), Variant(std::vector<double>{1, 2, 3}), Variant(std::vector<int16_t>{0, 8}),
            Variant(object), Variant(std::vector<Variant>{Variant(u"nested"), Variant(object)})});
        ComVariant v = toComVariant(value, bridge);
        ComVariant copy;
        ASSERT_EQ(VariantCopy(copy.receive(), &v.get()), S_OK);
        EXPECT_EQ(fromComVariant(copy.get(), bridge), value);
        ComVariant moved = std::move(v);
        ComVariant target;
        moved.moveTo(target.get());
    }
    EXPECT_EQ(spy.outstanding(), 0u) << "BSTRs or SAFEARRAYs were not freed";
    EXPECT_EQ(DispatchAdapter::liveCount(), adaptersBefore) << "object references were not released";
}

} // namespace
