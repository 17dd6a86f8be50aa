#pragma once
// cad::Variant to and from the CBOR values of the socket link. Object
// references become handles of the connection: each side says how an
// object turns into a handle and back.

#include "remoteprotocol.h"

#include "cad/variant.h"

#include <QCborValue>

#include <functional>

namespace cad::remote {

class VariantCodec
{
public:
    using ObjectToHandle = std::function<ObjectHandle(const ObjectRef &)>;
    using HandleToObject = std::function<ObjectRef(ObjectHandle)>;

    VariantCodec(ObjectToHandle toHandle, HandleToObject toObject);

    QCborValue encode(const Variant &value) const;
    // Throws CadError for a value this link does not carry.
    Variant decode(const QCborValue &value) const;

    QCborArray encodeList(const std::vector<Variant> &values) const;
    std::vector<Variant> decodeList(const QCborValue &array) const;

private:
    Variant decode(const QCborValue &value, int depth) const;

    ObjectToHandle m_toHandle;
    HandleToObject m_toObject;
};

// UTF-16 strings of the CAD link as Qt strings and back (same code units).
QString toQString(std::u16string_view text);
std::u16string fromQString(const QString &text);

} // namespace cad::remote
