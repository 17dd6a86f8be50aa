#include "variantcodec.h"

#include "cad/caderror.h"

#include <QCborArray>
#include <QString>

namespace cad::remote {

namespace {

// Deeper nesting than the automation model ever uses is refused rather
// than followed (a hostile message could exhaust the stack).
constexpr int MaxDepth = 32;

QCborValue tagged(ValueTag tag, const QCborValue &value)
{
    return QCborValue(QCborTag(quint64(tag)), value);
}

[[noreturn]] void malformed(const char16_t *what)
{
    throw CadError(std::u16string(u"Malformed value: ") + what);
}

} // namespace

QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar *>(text.data()), qsizetype(text.size()));
}

std::u16string fromQString(const QString &text)
{
    return std::u16string(reinterpret_cast<const char16_t *>(text.utf16()), size_t(text.size()));
}

VariantCodec::VariantCodec(ObjectToHandle toHandle, HandleToObject toObject)
    : m_toHandle(std::move(toHandle))
    , m_toObject(std::move(toObject))
{
}

QCborValue VariantCodec::encode(const Variant &value) const
{
    switch (value.type()) {
    case Variant::Type::Empty:
    case Variant::Type::Missing: // the stand-in takes a left-out argument as empty
        return QCborValue(QCborSimpleType::Undefined);
    case Variant::Type::Bool:
        return QCborValue(value.toBool());
    case Variant::Type::Int16:
        return tagged(ValueTag::Int16, QCborValue(qint64(value.toInt64())));
    case Variant::Type::Int32:
        return QCborValue(qint64(value.toInt64()));
    case Variant::Type::Int64:
        return tagged(ValueTag::Int64, QCborValue(qint64(value.toInt64())));
    case Variant::Type::Double:
        return QCborValue(value.toDouble());
    case Variant::Type::String:
        return QCborValue(toQString(value.toString()));
    case Variant::Type::VariantArray:
        return encodeList(value.toVariantArray());
    case Variant::Type::Int16Array: {
        QCborArray array;
        for (int16_t v : value.toInt16Array())
            array.append(qint64(v));
        return tagged(ValueTag::Int16Array, array);
    }
    case Variant::Type::DoubleArray: {
        QCborArray array;
        for (double v : value.toDoubleArray())
            array.append(v);
        return tagged(ValueTag::DoubleArray, array);
    }
    case Variant::Type::Object:
        // toObject refuses a null reference; a null reference still crosses.
        if (value == Variant(ObjectRef()))
            return tagged(ValueTag::Object, QCborValue(nullptr));
        return tagged(ValueTag::Object, QCborValue(qint64(m_toHandle(value.toObject()))));
    }
    return {};
}

QCborArray VariantCodec::encodeList(const std::vector<Variant> &values) const
{
    QCborArray array;
    for (const Variant &v : values)
        array.append(encode(v));
    return array;
}

Variant VariantCodec::decode(const QCborValue &value) const
{
    return decode(value, 0);
}

std::vector<Variant> VariantCodec::decodeList(const QCborValue &array) const
{
    if (!array.isArray())
        malformed(u"an argument list must be an array.");
    std::vector<Variant> values;
    for (const QCborValue &v : array.toArray())
        values.push_back(decode(v, 1));
    return values;
}

Variant VariantCodec::decode(const QCborValue &value, int depth) const
{
    if (depth > MaxDepth)
        malformed(u"nested too deeply.");
    switch (value.type()) {
    case QCborValue::Undefined:
    case QCborValue::Null:
        return {};
    case QCborValue::False:
        return false;
    case QCborValue::True:
        return true;
    case QCborValue::Integer: {
        const qint64 v = value.toInteger();
        if (v < INT32_MIN || v > INT32_MAX)
            malformed(u"an untagged integer out of the 32-bit range.");
        return int32_t(v);
    }
    case QCborValue::Double:
        return value.toDouble();
    case QCborValue::String:
        return fromQString(value.toString());
    case QCborValue::Array: {
        std::vector<Variant> items;
        for (const QCborValue &v : value.toArray())
            items.push_back(decode(v, depth + 1));
        return items;
    }
    case QCborValue::Tag:
        break;
    default:
        malformed(u"a type this link does not carry.");
    }

    const QCborValue content = value.taggedValue();
    switch (ValueTag(quint64(value.tag()))) {
    case ValueTag::Int16:
        if (!content.isInteger() || content.toInteger() < INT16_MIN || content.toInteger() > INT16_MAX)
            malformed(u"a 16-bit integer out of range.");
        return int16_t(content.toInteger());
    case ValueTag::Int64:
        if (!content.isInteger())
            malformed(u"a 64-bit integer that is not an integer.");
        return int64_t(content.toInteger());
    case ValueTag::Int16Array: {
        if (!content.isArray())
            malformed(u"a 16-bit integer array that is not an array.");
        std::vector<int16_t> items;
        for (const QCborValue &v : content.toArray()) {
            if (!v.isInteger() || v.toInteger() < INT16_MIN || v.toInteger() > INT16_MAX)
                malformed(u"a 16-bit integer array holding something else.");
            items.push_back(int16_t(v.toInteger()));
        }
        return items;
    }
    case ValueTag::DoubleArray: {
        if (!content.isArray())
            malformed(u"a number array that is not an array.");
        std::vector<double> items;
        for (const QCborValue &v : content.toArray()) {
            if (!v.isDouble() && !v.isInteger())
                malformed(u"a number array holding something else.");
            items.push_back(v.toDouble());
        }
        return items;
    }
    case ValueTag::Object:
        if (content.isNull())
            return ObjectRef();
        if (!content.isInteger() || content.toInteger() < 0)
            malformed(u"an object reference that is not a handle.");
        return m_toObject(ObjectHandle(content.toInteger()));
    }
    malformed(u"an unknown tag.");
}

} // namespace cad::remote
