#include "comvariant.h"

#include "bstr.h"

#include "cad/caderror.h"
#include "cad/ustring.h"

#include <oleauto.h>

#include <cstring>
#include <string>

namespace cad::com {

namespace {

[[noreturn]] void cannotConvert(const char *what, VARTYPE vt)
{
    throw CadError(fromUtf8(std::string(what) + " (VARTYPE " + std::to_string(vt) + ")"));
}

// A SAFEARRAY owned until it is handed to a VARIANT.
class OwnedSafeArray
{
public:
    OwnedSafeArray(VARTYPE type, size_t count)
        : m_array(SafeArrayCreateVector(type, 0, ULONG(count)))
    {
        if (!m_array)
            throw CadError(u"Out of memory for an automation array.");
    }
    ~OwnedSafeArray()
    {
        if (m_array)
            SafeArrayDestroy(m_array);
    }
    OwnedSafeArray(const OwnedSafeArray &) = delete;
    OwnedSafeArray &operator=(const OwnedSafeArray &) = delete;

    SAFEARRAY *get() const { return m_array; }
    SAFEARRAY *release()
    {
        SAFEARRAY *a = m_array;
        m_array = nullptr;
        return a;
    }

private:
    SAFEARRAY *m_array;
};

// The elements of a SAFEARRAY, locked while they are read or written.
class SafeArrayData
{
public:
    explicit SafeArrayData(SAFEARRAY *array)
        : m_array(array)
    {
        if (FAILED(SafeArrayAccessData(array, &m_data)))
            throw CadError(u"An automation array cannot be read.");
    }
    ~SafeArrayData() { SafeArrayUnaccessData(m_array); }
    SafeArrayData(const SafeArrayData &) = delete;
    SafeArrayData &operator=(const SafeArrayData &) = delete;

    template <typename T>
    T *as() const
    {
        return static_cast<T *>(m_data);
    }

private:
    SAFEARRAY *m_array;
    void *m_data = nullptr;
};

size_t elementCount(SAFEARRAY *array)
{
    size_t count = 1;
    for (USHORT d = 0; d < array->cDims; ++d)
        count *= array->rgsabound[d].cElements;
    return array->cDims == 0 ? 0 : count;
}

template <typename T, typename Fill>
ComVariant arrayVariant(VARTYPE elementType, const std::vector<T> &items, Fill fill)
{
    OwnedSafeArray array(elementType, items.size());
    if (!items.empty()) {
        SafeArrayData data(array.get());
        fill(data);
    }
    ComVariant v;
    V_VT(&v.get()) = VARTYPE(VT_ARRAY | elementType);
    V_ARRAY(&v.get()) = array.release();
    return v;
}

Variant fromScalar(const VARIANT &v, DispatchBridge &bridge);

Variant fromArray(SAFEARRAY *array, VARTYPE elementType, DispatchBridge &bridge)
{
    if (!array)
        return Variant(std::vector<Variant>{});
    const size_t n = elementCount(array);
    SafeArrayData data(array);
    switch (elementType) {
    case VT_R8: {
        const double *d = data.as<double>();
        return Variant(std::vector<double>(d, d + n));
    }
    case VT_R4: {
        const float *f = data.as<float>();
        return Variant(std::vector<double>(f, f + n));
    }
    case VT_I2: {
        const SHORT *s = data.as<SHORT>();
        return Variant(std::vector<int16_t>(s, s + n));
    }
    default:
        break;
    }
    // Every other element kind is read element by element as the scalar it
    // would be inside a VARIANT.
    std::vector<Variant> items;
    items.reserve(n);
    const size_t size = SafeArrayGetElemsize(array);
    const auto *bytes = data.as<const unsigned char>();
    for (size_t i = 0; i < n; ++i) {
        const void *element = bytes + i * size;
        if (elementType == VT_VARIANT) {
            items.push_back(fromComVariant(*static_cast<const VARIANT *>(element), bridge));
            continue;
        }
        VARIANT scalar;
        VariantInit(&scalar);
        V_VT(&scalar) = elementType;
        if (size > sizeof(scalar.llVal))
            cannotConvert("An automation array of this element kind cannot be read", elementType);
        // A borrowed copy of the element: not cleared, the array owns it.
        std::memcpy(&scalar.llVal, element, size);
        items.push_back(fromScalar(scalar, bridge));
    }
    return Variant(std::move(items));
}

Variant fromScalar(const VARIANT &v, DispatchBridge &bridge)
{
    switch (V_VT(&v)) {
    case VT_EMPTY:
    case VT_NULL:
        return Variant();
    case VT_ERROR:
        if (V_ERROR(&v) == DISP_E_PARAMNOTFOUND)
            return Variant::missing();
        cannotConvert("An automation error value cannot be read", V_VT(&v));
    case VT_BOOL: return Variant(V_BOOL(&v) != VARIANT_FALSE);
    case VT_I1: return Variant(int16_t(V_I1(&v)));
    case VT_UI1: return Variant(int16_t(V_UI1(&v)));
    case VT_I2: return Variant(int16_t(V_I2(&v)));
    case VT_UI2: return Variant(int32_t(V_UI2(&v)));
    case VT_I4: return Variant(int32_t(V_I4(&v)));
    case VT_INT: return Variant(int32_t(V_INT(&v)));
    case VT_UI4: return Variant(int64_t(V_UI4(&v)));
    case VT_UINT: return Variant(int64_t(V_UINT(&v)));
    case VT_I8: return Variant(int64_t(V_I8(&v)));
    case VT_UI8: return Variant(int64_t(V_UI8(&v)));
    case VT_R4: return Variant(double(V_R4(&v)));
    case VT_R8: return Variant(V_R8(&v));
    case VT_BSTR: return Variant(Bstr::toString(V_BSTR(&v)));
    case VT_DISPATCH:
        if (!V_DISPATCH(&v))
            return Variant();
        return Variant(bridge.importObject(V_DISPATCH(&v)));
    case VT_UNKNOWN: {
        IUnknown *unknown = V_UNKNOWN(&v);
        if (!unknown)
            return Variant();
        IDispatch *dispatch = nullptr;
        if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void **>(&dispatch))))
            throw CadError(u"An object without automation interface was returned.");
        ObjectRef object = bridge.importObject(dispatch);
        dispatch->Release();
        return Variant(std::move(object));
    }
    case VT_CY:
    case VT_DATE:
    case VT_DECIMAL: {
        VARIANT asDouble;
        VariantInit(&asDouble);
        if (FAILED(VariantChangeType(&asDouble, const_cast<VARIANT *>(&v), 0, VT_R8)))
            cannotConvert("An automation number cannot be read", V_VT(&v));
        return Variant(V_R8(&asDouble));
    }
    default:
        cannotConvert("An automation value of this kind cannot be read", V_VT(&v));
    }
}

} // namespace

ComVariant::ComVariant(ComVariant &&other) noexcept
{
    m_value = other.m_value;
    VariantInit(&other.m_value);
}

ComVariant &ComVariant::operator=(ComVariant &&other) noexcept
{
    if (this != &other) {
        VariantClear(&m_value);
        m_value = other.m_value;
        VariantInit(&other.m_value);
    }
    return *this;
}

VARIANT *ComVariant::receive()
{
    VariantClear(&m_value);
    return &m_value;
}

void ComVariant::moveTo(VARIANT &target)
{
    VariantClear(&target);
    target = m_value;
    VariantInit(&m_value);
}

ComVariant toComVariant(const Variant &value, DispatchBridge &bridge)
{
    ComVariant v;
    VARIANT &out = v.get();
    switch (value.type()) {
    case Variant::Type::Empty:
        break;
    case Variant::Type::Missing:
        V_VT(&out) = VT_ERROR;
        V_ERROR(&out) = DISP_E_PARAMNOTFOUND;
        break;
    case Variant::Type::Bool:
        V_VT(&out) = VT_BOOL;
        V_BOOL(&out) = value.toBool() ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case Variant::Type::Int16:
        V_VT(&out) = VT_I2;
        V_I2(&out) = SHORT(value.toInt64());
        break;
    case Variant::Type::Int32:
        V_VT(&out) = VT_I4;
        V_I4(&out) = LONG(value.toInt64());
        break;
    case Variant::Type::Int64:
        V_VT(&out) = VT_I8;
        V_I8(&out) = value.toInt64();
        break;
    case Variant::Type::Double:
        V_VT(&out) = VT_R8;
        V_R8(&out) = value.toDouble();
        break;
    case Variant::Type::String:
        V_VT(&out) = VT_BSTR;
        V_BSTR(&out) = Bstr(value.toString()).release();
        break;
    case Variant::Type::DoubleArray: {
        const std::vector<double> items = value.toDoubleArray();
        return arrayVariant(VT_R8, items, [&](const SafeArrayData &data) {
            std::memcpy(data.as<double>(), items.data(), items.size() * sizeof(double));
        });
    }
    case Variant::Type::Int16Array: {
        const std::vector<int16_t> &items = value.toInt16Array();
        return arrayVariant(VT_I2, items, [&](const SafeArrayData &data) {
            std::memcpy(data.as<SHORT>(), items.data(), items.size() * sizeof(SHORT));
        });
    }
    case Variant::Type::VariantArray: {
        const std::vector<Variant> &items = value.toVariantArray();
        return arrayVariant(VT_VARIANT, items, [&](const SafeArrayData &data) {
            // Each element is converted on its own first, then moved into
            // the array, which owns it from then on (and frees it if a
            // later element fails).
            VARIANT *elements = data.as<VARIANT>();
            for (size_t i = 0; i < items.size(); ++i)
                toComVariant(items[i], bridge).moveTo(elements[i]);
        });
    }
    case Variant::Type::Object: {
        // A null reference crosses as a null IDispatch.
        V_VT(&out) = VT_DISPATCH;
        V_DISPATCH(&out) = value == Variant(ObjectRef()) ? nullptr : bridge.exportObject(value.toObject());
        break;
    }
    }
    return v;
}

Variant fromComVariant(const VARIANT &value, DispatchBridge &bridge)
{
    const VARTYPE vt = V_VT(&value);
    if (vt == (VT_BYREF | VT_VARIANT))
        return V_VARIANTREF(&value) ? fromComVariant(*V_VARIANTREF(&value), bridge) : Variant();
    if (vt & VT_ARRAY) {
        SAFEARRAY *array = (vt & VT_BYREF) ? (V_ARRAYREF(&value) ? *V_ARRAYREF(&value) : nullptr)
                                           : V_ARRAY(&value);
        return fromArray(array, VARTYPE(vt & VT_TYPEMASK), bridge);
    }
    if (vt & VT_BYREF) {
        // A scalar by reference: read through a copy of what it points to.
        ComVariant copy;
        if (FAILED(VariantCopyInd(copy.receive(), const_cast<VARIANT *>(&value))))
            cannotConvert("An automation value by reference cannot be read", vt);
        return fromScalar(copy.get(), bridge);
    }
    return fromScalar(value, bridge);
}

} // namespace cad::com
