#pragma once

// Routes one action call to the family that carries out its code.

#include "actions/action_call.h"

namespace pw::actions {

// Runs call.action; codes outside the catalogue, reserved codes and the indirections
// resolved before dispatch do nothing and return false.
bool DispatchAction(const ActionCall& call);

} // namespace pw::actions
