#include "variant.h"

#include "caderror.h"
#include "ustring.h"

namespace cad {

namespace {

[[noreturn]] void wrongType(Variant::Type have, const char *want)
{
    throw CadError(fromUtf8(std::string("type mismatch: ") + typeName(have) + " where "
                            + want + " was expected"));
}

} // namespace

const char *typeName(Variant::Type type)
{
    switch (type) {
    case Variant::Type::Empty: return "empty";
    case Variant::Type::Bool: return "bool";
    case Variant::Type::Int16: return "int16";
    case Variant::Type::Int32: return "int32";
    case Variant::Type::Int64: return "int64";
    case Variant::Type::Double: return "double";
    case Variant::Type::String: return "string";
    case Variant::Type::VariantArray: return "variant array";
    case Variant::Type::Int16Array: return "int16 array";
    case Variant::Type::DoubleArray: return "double array";
    case Variant::Type::Object: return "object";
    case Variant::Type::Missing: return "missing argument";
    }
    return "?";
}

bool Variant::toBool() const
{
    if (type() == Type::Bool)
        return std::get<bool>(m_value);
    return toInt64() != 0;
}

int64_t Variant::toInt64() const
{
    switch (type()) {
    case Type::Bool: return std::get<bool>(m_value) ? 1 : 0;
    case Type::Int16: return std::get<int16_t>(m_value);
    case Type::Int32: return std::get<int32_t>(m_value);
    case Type::Int64: return std::get<int64_t>(m_value);
    case Type::Double: return int64_t(std::get<double>(m_value));
    default: wrongType(type(), "an integer");
    }
}

double Variant::toDouble() const
{
    if (type() == Type::Double)
        return std::get<double>(m_value);
    return double(toInt64());
}

std::u16string Variant::toString() const
{
    if (type() == Type::String)
        return std::get<std::u16string>(m_value);
    if (isEmpty())
        return {};
    wrongType(type(), "a string");
}

const std::vector<Variant> &Variant::toVariantArray() const
{
    if (type() != Type::VariantArray)
        wrongType(type(), "a variant array");
    return std::get<std::vector<Variant>>(m_value);
}

const std::vector<int16_t> &Variant::toInt16Array() const
{
    if (type() != Type::Int16Array)
        wrongType(type(), "an int16 array");
    return std::get<std::vector<int16_t>>(m_value);
}

std::vector<double> Variant::toDoubleArray() const
{
    if (type() == Type::DoubleArray)
        return std::get<std::vector<double>>(m_value);
    if (type() == Type::VariantArray) {
        std::vector<double> out;
        for (const auto &v : std::get<std::vector<Variant>>(m_value))
            out.push_back(v.toDouble());
        return out;
    }
    if (type() == Type::Int16Array) {
        const auto &in = std::get<std::vector<int16_t>>(m_value);
        return std::vector<double>(in.begin(), in.end());
    }
    wrongType(type(), "a double array");
}

ObjectRef Variant::toObject() const
{
    if (type() != Type::Object || !std::get<ObjectRef>(m_value))
        wrongType(type(), "an object");
    return std::get<ObjectRef>(m_value);
}

bool Variant::operator==(const Variant &other) const
{
    return m_value == other.m_value;
}

} // namespace cad
