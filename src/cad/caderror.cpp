#include "caderror.h"

#include "ustring.h"

namespace cad {

CadError::CadError(std::u16string message, Kind kind)
    : m_message(std::move(message))
    , m_utf8(toUtf8(m_message))
    , m_kind(kind)
{
}

} // namespace cad
