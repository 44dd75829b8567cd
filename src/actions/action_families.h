#pragma once

// The action families ProcessButtonAction dispatches to. Each returns whether the event
// is handled (swallowed) and acts only on the codes of its family.

#include "actions/action_call.h"

namespace pw::actions {

// Left, right, middle, X clicks, double click and double-click drag.
bool RunMouseButtonAction(const ActionCall& call);
// Actions that tap one key with modifiers, and the volume sequences.
bool RunKeystrokeAction(const ActionCall& call);
// Browser commands sent as application commands.
bool RunAppCommandAction(const ActionCall& call);
// Close, maximize, minimize and restore.
bool RunWindowCommandAction(const ActionCall& call);
// Shell folders, programs, lock, screen saver, monitor power, reveal desktop, brightness,
// web search.
bool RunShellAction(const ActionCall& call);
// Magnifier toggle, zoom in and out.
bool RunMagnifierAction(const ActionCall& call);
// Simulated keys in every send mode.
bool RunSimulatedKeysAction(const ActionCall& call);
// Disable, with the Scroll Lock bypass.
bool RunDisableAction(const ActionCall& call);

// Wheel, tilt and scroll-window steps with their repeat.
bool RunWheelRepeatAction(const ActionCall& call);
// Next, previous and momentary layer N.
bool RunLayerAction(const ActionCall& call);
// Sticky buttons, including the axis-following sticky drags.
bool RunStickyAction(const ActionCall& call);
// Axis locks while pressed and toggled.
bool RunAxisLockAction(const ActionCall& call);
// Movement to scroll, held and sticky.
bool RunMovementToScrollAction(const ActionCall& call);
// Button chording.
bool RunChordAction(const ActionCall& call);

} // namespace pw::actions
