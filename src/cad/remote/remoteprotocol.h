#pragma once
// The wire format between the tool and the stand-in CAD over a local socket.
//
// Every message is one frame: a 4-byte big-endian length N (1 ≤ N ≤
// MaxFrameSize), then N bytes holding exactly one CBOR value.
//
// Request  [id, op, object, member, args]
//   id      unsigned, chosen by the client, echoed in the reply (0: no reply)
//   op      Operation below
//   object  the handle of the target object; RootObject is the application
//   member  text, compared case-insensitively by the CAD
//   args    array of encoded values (Put: exactly one, the new value)
// Release  [0, Release, object]     no reply; the server forgets the handle
// Reply    [id, ReplyResult, value]            a result
//          [id, ReplyResult, value, outArgs]   a call that wrote its arguments
//          [id, ReplyError, "text"]            the CAD's error message
//
// Values (cad::Variant): Empty is CBOR undefined, Bool, Int32 a plain
// integer, Double a double, String a text string, VariantArray an array; the
// other types carry a tag of this link: Int16 and Int64 a tagged integer,
// Int16Array and DoubleArray a tagged array, Object a tagged handle (or a
// tagged null for a null reference). Handles are numbers of the connection:
// the server hands out a new one for every object it returns and forgets
// them all when the connection closes.

#include <QByteArray>
#include <QtGlobal>

#include <cstdint>

namespace cad::remote {

enum class Operation : int {
    Get = 0,
    Put = 1,
    Call = 2,
    Release = 3,
};

enum ReplyStatus : int {
    ReplyResult = 0,
    ReplyError = 1,
};

// Tags of this link, outside the ranges CBOR assigns to common types.
enum class ValueTag : quint64 {
    Object = 39900,
    Int16 = 39901,
    Int64 = 39902,
    Int16Array = 39903,
    DoubleArray = 39904,
};

using ObjectHandle = quint64;
inline constexpr ObjectHandle RootObject = 0;

inline constexpr qsizetype FrameHeaderSize = 4;
inline constexpr quint32 MaxFrameSize = 16 * 1024 * 1024;

// The frame around one encoded CBOR value.
QByteArray frame(const QByteArray &cbor);

// The length announced by a frame header (the first four bytes of `data`).
quint32 frameLength(const QByteArray &data);

// Reserved members of the application object, answered by the stand-in
// itself rather than by its drawing. "MorvexWindow." members are the CAD
// window's operations the tool asks for; "MorvexTest." members exist for
// end-to-end tests only.
namespace member {
inline constexpr char16_t WindowIsIconic[] = u"MorvexWindow.IsIconic";      // (window) -> bool
inline constexpr char16_t WindowRestore[] = u"MorvexWindow.Restore";        // (window)
inline constexpr char16_t WindowMinimize[] = u"MorvexWindow.Minimize";      // (window)
inline constexpr char16_t WindowActivate[] = u"MorvexWindow.Activate";      // (window)
inline constexpr char16_t WindowIsActive[] = u"MorvexWindow.IsActive";      // () -> bool
inline constexpr char16_t WindowPressEscape[] = u"MorvexWindow.PressEscape"; // ()
// (window, width, red, green, blue, xor, [x0, y0, x1, y1, …] as Int32s)
inline constexpr char16_t WindowDrawPolyline[] = u"MorvexWindow.DrawPolyline";

inline constexpr char16_t TestScriptPick[] = u"MorvexTest.ScriptPick";                   // ([handle texts])
inline constexpr char16_t TestScriptSubEntityPick[] = u"MorvexTest.ScriptSubEntityPick"; // (handle text, point)
inline constexpr char16_t TestScriptCancelledPick[] = u"MorvexTest.ScriptCancelledPick"; // ()
inline constexpr char16_t TestIsPickPending[] = u"MorvexTest.IsPickPending";             // () -> bool
inline constexpr char16_t TestUndo[] = u"MorvexTest.Undo";                               // () -> bool
// (member): the next call of that member, on any connection, gets no answer,
// nor does anything that connection asks after it (a CAD that hangs).
inline constexpr char16_t TestStallNextCall[] = u"MorvexTest.StallNextCall";
} // namespace member

} // namespace cad::remote
