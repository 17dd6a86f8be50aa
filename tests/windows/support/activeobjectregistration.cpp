#include "activeobjectregistration.h"

#include "cad/com/comerror.h"
#include "cad/com/wide.h"

#include <oleauto.h>

namespace cad::com::test {

namespace {

void writeClassKey(const std::u16string &progId, const CLSID &clsid)
{
    wchar_t text[64];
    StringFromGUID2(clsid, text, 64);
    const std::u16string key = progId + u"\\CLSID";
    HKEY handle = nullptr;
    LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, wide(key), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr);
    if (status != ERROR_SUCCESS)
        throwComError(HRESULT_FROM_WIN32(status));
    status = RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE *>(text),
                            DWORD((wcslen(text) + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS)
        throwComError(HRESULT_FROM_WIN32(status));
}

} // namespace

ActiveObjectRegistration::ActiveObjectRegistration(const std::u16string &progId, IUnknown *running)
    : m_progId(progId)
{
    const HRESULT created = CoCreateGuid(&m_clsid);
    if (FAILED(created))
        throwComError(created);
    writeClassKey(progId, m_clsid);
    if (running) {
        const HRESULT hr = RegisterActiveObject(running, m_clsid, ACTIVEOBJECT_STRONG, &m_cookie);
        if (FAILED(hr)) {
            RegDeleteTreeW(HKEY_CLASSES_ROOT, wide(m_progId));
            throwComError(hr);
        }
    }
}

ActiveObjectRegistration::~ActiveObjectRegistration()
{
    revoke();
    RegDeleteTreeW(HKEY_CLASSES_ROOT, wide(m_progId));
}

void ActiveObjectRegistration::revoke()
{
    if (m_cookie == 0)
        return;
    RevokeActiveObject(m_cookie, nullptr);
    m_cookie = 0;
}

} // namespace cad::com::test
