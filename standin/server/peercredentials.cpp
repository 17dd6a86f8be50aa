#include "peercredentials.h"

#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

namespace standin {

bool peerIsThisUser(qintptr descriptor)
{
    if (descriptor < 0)
        return false;
#if defined(SO_PEERCRED)
    struct ucred credentials {};
    socklen_t length = sizeof credentials;
    if (::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0
        || length != sizeof credentials)
        return false;
    return credentials.uid == ::getuid();
#else
    uid_t uid = 0;
    gid_t gid = 0;
    if (::getpeereid(int(descriptor), &uid, &gid) != 0)
        return false;
    return uid == ::getuid();
#endif
}

} // namespace standin
