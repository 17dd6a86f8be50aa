#pragma once

// Who is at the other end of a local socket. The socket folder is private
// to its owner already; the stand-in also asks the system which user the
// connecting process runs as, so that a socket handed on, or a folder whose
// rights were changed, lets no other user drive the drawing.

#include <QtGlobal>

namespace standin {

// True when the peer of the connected local socket `descriptor` runs as the
// user of this process. False when it does not, or when the system cannot
// say (the connection is then refused as well).
bool peerIsThisUser(qintptr descriptor);

} // namespace standin
