// Placeholder families, each replaced by its own file as it is built.
#include "actions/action_families.h"

namespace pw::actions {

bool RunMouseButtonAction(const ActionCall&) {
    return false;
}
bool RunKeystrokeAction(const ActionCall&) {
    return false;
}
bool RunAppCommandAction(const ActionCall&) {
    return false;
}
bool RunWindowCommandAction(const ActionCall&) {
    return false;
}
bool RunShellAction(const ActionCall&) {
    return false;
}
bool RunMagnifierAction(const ActionCall&) {
    return false;
}
bool RunSimulatedKeysAction(const ActionCall&) {
    return false;
}
bool RunDisableAction(const ActionCall&) {
    return false;
}
bool RunWheelRepeatAction(const ActionCall&) {
    return false;
}
bool RunLayerAction(const ActionCall&) {
    return false;
}
bool RunStickyAction(const ActionCall&) {
    return false;
}
bool RunAxisLockAction(const ActionCall&) {
    return false;
}
bool RunMovementToScrollAction(const ActionCall&) {
    return false;
}
bool RunChordAction(const ActionCall&) {
    return false;
}

} // namespace pw::actions
