#pragma once
// The one exception type of the CAD link: every failing call into the CAD,
// whatever the backend, reaches the caller as a CadError carrying the CAD's
// own message.
//
// Most failures concern the one call (the entity was erased, the layer is
// locked, the user cancelled); a command may skip that item and go on. A
// lost link is different: the CAD ended, or stopped answering and was given
// up on, and no later call on that link can succeed, so a command stops
// there and the user is told why.

#include <exception>
#include <string>

namespace cad {

// What the user is told of a call the CAD did not answer in time.
inline constexpr char16_t NoAnswerMessage[] = u"CAD が応答しません．";

class CadError : public std::exception
{
public:
    enum class Kind { CallFailed, LinkLost };

    explicit CadError(std::u16string message, Kind kind = Kind::CallFailed);

    const std::u16string &message() const { return m_message; }
    bool linkLost() const { return m_kind == Kind::LinkLost; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

private:
    std::u16string m_message;
    std::string m_utf8;
    Kind m_kind;
};

} // namespace cad
