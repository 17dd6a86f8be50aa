#pragma once
// Interface pointers of COM, each reference released exactly once.

#include <wrl/client.h>

namespace cad::com {

template <typename Interface>
using ComPtr = Microsoft::WRL::ComPtr<Interface>;

} // namespace cad::com
