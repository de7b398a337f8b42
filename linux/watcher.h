#pragma once
// qxkb watch: the window's re-sync on arrival without the window. Each change of a supported
// keyboard rescans; a keyboard that newly arrived gets the stored settings of its model's current
// profile, as the window sends them.
#include <ostream>

#include "app/main_controller.h"
#include "linux/arrival_source.h"

namespace qx::linux_cli {

// Whether a change concerns a supported keyboard (or may: a removal whose ids are gone).
bool ConcernsSupportedKeyboard(const DeviceChange& change);

// Sends the current profile to a keyboard that is already there, then follows source until it
// ends. Returns 0 when the source ended, 1 when it could no longer be waited on.
int RunWatcher(QxKBController& controller, ArrivalSource& source);

}  // namespace qx::linux_cli
