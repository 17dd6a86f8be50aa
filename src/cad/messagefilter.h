#pragma once
// The filter through which the platform passes calls into the CAD while
// the tool waits for them (COM's message filter on Windows). The main
// window creates and registers one at start and revokes it at the end.

namespace cad {

class MessageFilter
{
public:
    virtual ~MessageFilter() = default;
    virtual void RegisterFilter() = 0;
    virtual void RevokeFilter() = 0;
};

} // namespace cad
