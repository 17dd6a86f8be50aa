#pragma once
// The value of a late-bound call: what a COM VARIANT holds for the members
// this tool uses, and nothing more.

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace cad {

class DispatchObject;
using ObjectRef = std::shared_ptr<DispatchObject>;

// An optional argument left out of a call (COM passes it as VT_ERROR with
// DISP_E_PARAMNOTFOUND), as the two points of Select in mode 5.
struct MissingArgument
{
    bool operator==(const MissingArgument &) const = default;
};

class Variant
{
public:
    enum class Type {
        Empty,
        Bool,
        Int16,
        Int32,
        Int64,
        Double,
        String,
        VariantArray,
        Int16Array,
        DoubleArray,
        Object,
        Missing,
    };

    Variant() = default;
    Variant(bool v) : m_value(v) {}
    Variant(int16_t v) : m_value(v) {}
    Variant(int32_t v) : m_value(v) {}
    Variant(int64_t v) : m_value(v) {}
    Variant(double v) : m_value(v) {}
    Variant(std::u16string v) : m_value(std::move(v)) {}
    Variant(const char16_t *v) : m_value(std::u16string(v)) {}
    Variant(std::vector<Variant> v) : m_value(std::move(v)) {}
    Variant(std::vector<int16_t> v) : m_value(std::move(v)) {}
    Variant(std::vector<double> v) : m_value(std::move(v)) {}
    Variant(ObjectRef v) : m_value(std::move(v)) {}
    Variant(MissingArgument v) : m_value(v) {}
    static Variant missing() { return Variant(MissingArgument{}); }
    // Any object of the model, as a reference to its late-bound interface.
    template <typename T, typename = std::enable_if_t<std::is_convertible_v<T *, DispatchObject *>
                                                      && !std::is_same_v<T, DispatchObject>>>
    Variant(std::shared_ptr<T> v) : m_value(ObjectRef(std::move(v))) {}

    Type type() const { return Type(m_value.index()); }
    // A left-out argument reads as empty: backends without the notion of
    // optional arguments see no value.
    bool isEmpty() const { return type() == Type::Empty || type() == Type::Missing; }
    bool isMissing() const { return type() == Type::Missing; }

    // Conversions as an automation client reads a result: numbers convert
    // between each other, anything else of the wrong type throws CadError.
    bool toBool() const;
    int64_t toInt64() const;
    int32_t toInt32() const { return int32_t(toInt64()); }
    double toDouble() const;
    std::u16string toString() const;
    const std::vector<Variant> &toVariantArray() const;
    const std::vector<int16_t> &toInt16Array() const;
    std::vector<double> toDoubleArray() const;
    ObjectRef toObject() const;

    bool operator==(const Variant &other) const;

private:
    std::variant<std::monostate, bool, int16_t, int32_t, int64_t, double,
                 std::u16string, std::vector<Variant>, std::vector<int16_t>,
                 std::vector<double>, ObjectRef, MissingArgument>
        m_value;
};

const char *typeName(Variant::Type type);

} // namespace cad
