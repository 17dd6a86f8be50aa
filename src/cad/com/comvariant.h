#pragma once
// VARIANTs of COM automation and the Variant values of the CAD link: an
// owning VARIANT, and the conversions both ways for every kind of value the
// automation model passes (strings, booleans, integers of 16, 32 and 64
// bits, doubles, points and filter arrays, object references, left-out
// arguments).

#include "cad/variant.h"

#include <windows.h>
#include <oaidl.h>

namespace cad::com {

// How object references cross the conversion: a client wraps each IDispatch
// it receives, a server hands out an IDispatch for each object it returns.
class DispatchBridge
{
public:
    virtual ~DispatchBridge() = default;
    // An IDispatch for the object, with a reference owned by the caller.
    virtual IDispatch *exportObject(const ObjectRef &object) = 0;
    // The object behind an IDispatch (the bridge takes its own reference).
    virtual ObjectRef importObject(IDispatch *dispatch) = 0;
};

// An owned VARIANT: cleared exactly once, whatever it holds.
class ComVariant
{
public:
    ComVariant() { VariantInit(&m_value); }
    ~ComVariant() { VariantClear(&m_value); }
    ComVariant(const ComVariant &) = delete;
    ComVariant &operator=(const ComVariant &) = delete;
    ComVariant(ComVariant &&other) noexcept;
    ComVariant &operator=(ComVariant &&other) noexcept;

    VARIANT &get() { return m_value; }
    const VARIANT &get() const { return m_value; }
    // For a callee that fills it: clears what is held first.
    VARIANT *receive();
    // Hands the value over to a caller that clears it (an out parameter).
    void moveTo(VARIANT &target);

private:
    VARIANT m_value;
};

// The VARIANT for a value: VT_EMPTY, VT_ERROR (a left-out argument), VT_BOOL,
// VT_I2, VT_I4, VT_I8, VT_R8, VT_BSTR, VT_ARRAY of VT_VARIANT, VT_I2 or VT_R8,
// VT_DISPATCH. Throws CadError when a value cannot cross.
ComVariant toComVariant(const Variant &value, DispatchBridge &bridge);

// The value of a VARIANT, following VT_BYREF. Integers of every width read
// as integers (an ObjectID or HWND comes as VT_I4 or VT_I8), VT_ERROR with
// DISP_E_PARAMNOTFOUND as a left-out argument, arrays of any dimension in
// their memory order: doubles as a double array, 16-bit integers as an int16
// array, everything else as a variant array. Throws CadError for a kind the
// automation model never passes.
Variant fromComVariant(const VARIANT &value, DispatchBridge &bridge);

} // namespace cad::com
