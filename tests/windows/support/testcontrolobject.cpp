#include "testcontrolobject.h"

#include "drawingdump.h"

#include "cad/caderror.h"
#include "cad/com/win32clipboard.h"
#include "cad/ustring.h"

#include <windows.h>

namespace cad::com::test {

namespace {

constexpr std::u16string_view Prefix = u"MORVEXTEST.";

bool isControl(std::u16string_view member)
{
    return member.size() > Prefix.size() && asciiUpper(member.substr(0, Prefix.size())) == Prefix;
}

const Variant &argument(const std::vector<Variant> &args, size_t i)
{
    if (i >= args.size())
        throw CadError(u"Missing argument.");
    return args[i];
}

} // namespace

TestControlObject::TestControlObject(std::shared_ptr<MemoryDrawing> drawing, std::shared_ptr<ServerState> state,
                                     std::function<void()> quit)
    : m_drawing(std::move(drawing))
    , m_state(std::move(state))
    , m_application(m_drawing->application())
    , m_quit(std::move(quit))
{
}

Variant TestControlObject::get(std::u16string_view member, const std::vector<Variant> &args)
{
    return m_application->get(member, args);
}

void TestControlObject::put(std::u16string_view member, const Variant &value)
{
    m_application->put(member, value);
}

Variant TestControlObject::call(std::u16string_view member, std::vector<Variant> &args)
{
    if (!isControl(member))
        return m_application->call(member, args);
    const std::u16string name = asciiUpper(member.substr(Prefix.size()));
    if (name == u"SCRIPTPICK") {
        std::vector<Handle> handles;
        for (const Variant &h : argument(args, 0).toVariantArray())
            handles.push_back(handleFromString(h.toString()));
        m_drawing->scriptPick(std::move(handles));
        return {};
    }
    if (name == u"SCRIPTSUBENTITYPICK") {
        m_drawing->scriptSubEntityPick(handleFromString(argument(args, 0).toString()));
        return {};
    }
    if (name == u"SCRIPTCANCELLEDPICK") {
        m_drawing->scriptCancelledPick();
        return {};
    }
    if (name == u"UNDO")
        return Variant(m_drawing->undo());
    if (name == u"DUMP")
        return Variant(drawingDump(*m_drawing));
    if (name == u"FAILMEMBER") {
        m_drawing->failMember(argument(args, 0).toString(), argument(args, 1).toString());
        return {};
    }
    if (name == u"CLEARFAULTS") {
        m_drawing->clearFaults();
        return {};
    }
    if (name == u"REJECTNEXTCALLS") {
        m_state->rejectNextCalls = argument(args, 0).toInt32();
        return {};
    }
    if (name == u"SETCLIPBOARD") {
        // As another program copies text: CF_UNICODETEXT exactly as given.
        return Variant(setClipboardUnicodeText(argument(args, 0).toString()));
    }
    if (name == u"HANG") {
        Sleep(DWORD(argument(args, 0).toInt64()));
        return {};
    }
    if (name == u"QUIT") {
        if (m_quit)
            m_quit();
        return {};
    }
    throw CadError(u"Unknown name: " + std::u16string(member));
}

} // namespace cad::com::test
