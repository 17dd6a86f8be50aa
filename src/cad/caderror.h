#pragma once
// The one exception type of the CAD link: every failing call into the CAD,
// whatever the backend, reaches the caller as a CadError carrying the CAD's
// own message.

#include <exception>
#include <string>

namespace cad {

class CadError : public std::exception
{
public:
    explicit CadError(std::u16string message);

    const std::u16string &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

private:
    std::u16string m_message;
    std::string m_utf8;
};

} // namespace cad
