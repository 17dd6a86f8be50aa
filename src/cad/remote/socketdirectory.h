#pragma once
// Where stand-in CADs listen: one local socket per ProgID in a folder only
// this user may enter. On non-Windows systems this folder is the running-
// object table: a socket that answers there is a running CAD.

#include <QString>

#include <string>

namespace cad::remote {

// The per-user socket folder ($XDG_RUNTIME_DIR/morvex, else
// /tmp/morvex-<uid>), created with mode 0700 when missing. Throws CadError
// when it cannot be made private to this user (another user owns it, or it
// is not a folder).
QString socketDirectory();

// The socket file name for a ProgID: its ASCII letters folded to lower case
// (ProgIDs compare case-insensitively), anything outside [a-z0-9._-]
// replaced by '_', shortened, and a hash of the folded ProgID appended so
// that distinct ProgIDs never share a socket. Stable across runs.
QString socketNameForProgId(const std::u16string &progId);

// socketDirectory() + '/' + socketNameForProgId(progId).
QString socketPathForProgId(const std::u16string &progId);

} // namespace cad::remote
