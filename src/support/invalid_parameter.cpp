#include "support/invalid_parameter.h"

#include <atomic>

namespace pw {

namespace {
std::atomic<InvalidParameterHandler> g_handler{nullptr};
}

InvalidParameterHandler SetInvalidParameterHandler(InvalidParameterHandler handler) {
    return g_handler.exchange(handler);
}

InvalidParameterHandler GetInvalidParameterHandler() {
    return g_handler.load();
}

void ReportInvalidParameter(const Char* expression) {
    if (InvalidParameterHandler handler = g_handler.load())
        handler(expression);
}

} // namespace pw
