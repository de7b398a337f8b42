#pragma once
// hidapi on hidraw behind the device manager's seam. The manager picks a keyboard's interface by
// the Windows interface name of its table row; this backend lists only the vendor interfaces the
// Linux match chose, each under a path that carries that name, and opens the node behind it.
#include <string>
#include <vector>

#include "device/hidapi_backend.h"
#include "linux/hidraw_match.h"

namespace qx::linux_cli {

class HidrawBackend : public HidapiBackend {
public:
    std::vector<HidInterfaceInfo> EnumerateAll() override;
    HidHandle OpenPath(const std::string& path) override;

    // hid_enumerate(0, 0) as records, for the match and for listing.
    static std::vector<HidrawRecord> EnumerateRecords();
    // The node of a path this backend listed.
    static std::string NodeOf(const std::string& listedPath);

    // The last node that could not be opened for lack of permission, empty when none.
    const std::string& DeniedNode() const { return deniedNode_; }

private:
    std::string deniedNode_;
};

}  // namespace qx::linux_cli
