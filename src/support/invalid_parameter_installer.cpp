#include "support/exception_handler.h"

#include "platform/runtime_invalid_parameter.h"
#include "support/logger.h"

namespace pw::crash {

void LogInvalidParameter(const Char* expression) {
    CLogger::LogMessage(L"InvalidParameterHandler: Expression: %ls\n",
                        expression ? expression : L"(null)");
}

} // namespace pw::crash

InvalidParameterInstaller::InvalidParameterInstaller()
    : previous_(pw::SetInvalidParameterHandler(&pw::crash::LogInvalidParameter)),
      previousRuntime_(pw::platform::ForwardRuntimeInvalidParameters(&pw::ReportInvalidParameter)) {
}

InvalidParameterInstaller::~InvalidParameterInstaller() {
    pw::platform::RestoreRuntimeInvalidParameterHandler(previousRuntime_);
    pw::SetInvalidParameterHandler(previous_);
}
