#include "comerror.h"

#include "wide.h"

#include "cad/caderror.h"

#include <cstdio>

namespace cad::com {

ExcepInfo::~ExcepInfo()
{
    SysFreeString(m_info.bstrSource);
    SysFreeString(m_info.bstrDescription);
    SysFreeString(m_info.bstrHelpFile);
}

std::u16string ExcepInfo::description()
{
    if (m_info.pfnDeferredFillIn) {
        auto fill = m_info.pfnDeferredFillIn;
        m_info.pfnDeferredFillIn = nullptr;
        fill(&m_info);
    }
    if (!m_info.bstrDescription)
        return {};
    return fromWide(m_info.bstrDescription, SysStringLen(m_info.bstrDescription));
}

HRESULT ExcepInfo::code() const
{
    if (m_info.scode != 0)
        return m_info.scode;
    return m_info.wCode != 0 ? HRESULT(0x80040200 + m_info.wCode) : DISP_E_EXCEPTION;
}

std::u16string systemMessage(HRESULT hr)
{
    wchar_t *buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                            | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, DWORD(hr), 0, reinterpret_cast<wchar_t *>(&buffer), 0,
                                        nullptr);
    std::u16string text = length > 0 ? fromWide(buffer, length) : std::u16string();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' '))
        text.pop_back();
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
    std::u16string hex(code, code + std::char_traits<char>::length(code));
    return text.empty() ? u"Error " + hex : text + u" (" + hex + u")";
}

bool isLinkLost(HRESULT hr)
{
    // The server process ended or its objects were disconnected: the
    // proxy can never reach them again.
    return hr == RPC_E_DISCONNECTED || hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)
        || hr == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED) || hr == CO_E_OBJNOTCONNECTED;
}

void throwComError(HRESULT hr)
{
    // The message filter gave up a call the CAD did not answer in time: a
    // hung CAD answers none of the next ones either.
    if (hr == RPC_E_CALL_CANCELED)
        throw CadError(NoAnswerMessage, CadError::Kind::LinkLost);
    throw CadError(systemMessage(hr), isLinkLost(hr) ? CadError::Kind::LinkLost : CadError::Kind::CallFailed);
}

void throwComError(HRESULT hr, ExcepInfo &info)
{
    if (hr == DISP_E_EXCEPTION) {
        const std::u16string description = info.description();
        if (!description.empty())
            throw CadError(description);
        throw CadError(systemMessage(info.code()));
    }
    throwComError(hr);
}

} // namespace cad::com
