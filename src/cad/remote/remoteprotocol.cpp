#include "remoteprotocol.h"

#include <QtEndian>

namespace cad::remote {

QByteArray frame(const QByteArray &cbor)
{
    QByteArray out(FrameHeaderSize, Qt::Uninitialized);
    qToBigEndian<quint32>(quint32(cbor.size()), out.data());
    out += cbor;
    return out;
}

quint32 frameLength(const QByteArray &data)
{
    return qFromBigEndian<quint32>(data.constData());
}

} // namespace cad::remote
