#pragma once

namespace qx {

// Enables "SeDebugPrivilege" in the process token; true when the adjustment left no error.
bool EnableDebugPrivilege();

}  // namespace qx
