#pragma once
// An owned BSTR: allocated from a UTF-16 string, freed exactly once.

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace cad::com {

class Bstr
{
public:
    Bstr() = default;
    explicit Bstr(std::u16string_view text);
    ~Bstr() { SysFreeString(m_bstr); }

    Bstr(const Bstr &) = delete;
    Bstr &operator=(const Bstr &) = delete;
    Bstr(Bstr &&other) noexcept : m_bstr(std::exchange(other.m_bstr, nullptr)) {}
    Bstr &operator=(Bstr &&other) noexcept
    {
        if (this != &other) {
            SysFreeString(m_bstr);
            m_bstr = std::exchange(other.m_bstr, nullptr);
        }
        return *this;
    }

    BSTR get() const { return m_bstr; }
    // Hands the string over to a VARIANT or an out parameter that frees it.
    BSTR release() { return std::exchange(m_bstr, nullptr); }
    // For an out parameter filled by a callee: frees what is held first.
    BSTR *receive()
    {
        SysFreeString(std::exchange(m_bstr, nullptr));
        return &m_bstr;
    }

    std::u16string toString() const { return toString(m_bstr); }
    // A BSTR's text with its stored length (a null BSTR is the empty string).
    static std::u16string toString(BSTR bstr);

private:
    BSTR m_bstr = nullptr;
};

} // namespace cad::com
