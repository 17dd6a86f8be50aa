// The socket link's message decoding: a frame's length, its CBOR message,
// and every value of it as a cad::Variant (objects by handle).

#include "cad/caderror.h"
#include "cad/remote/remoteprotocol.h"
#include "cad/remote/variantcodec.h"

#include <QByteArray>
#include <QCborArray>
#include <QCborStreamReader>
#include <QCborValue>

#include <cstdint>

using namespace cad::remote;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    if (bytes.size() >= 4)
        (void)frameLength(bytes);
    QCborStreamReader reader(bytes);
    const QCborValue message = QCborValue::fromCbor(reader);
    if (reader.lastError() != QCborError::NoError)
        return 0;
    const VariantCodec codec([](const cad::ObjectRef &) { return ObjectHandle(0); },
                             [](ObjectHandle) -> cad::ObjectRef { throw cad::CadError(u"no such object"); });
    const QCborArray parts = message.toArray();
    for (const QCborValue &part : parts) {
        try {
            (void)codec.decode(part);
        } catch (const cad::CadError &) {
        }
        try {
            (void)codec.decodeList(part);
        } catch (const cad::CadError &) {
        }
    }
    return 0;
}
