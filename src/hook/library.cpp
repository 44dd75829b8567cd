#include "hook/library.h"

#include "support/logger.h"
#include "support/thread_lock.h"

namespace pw::hook {

void ProcessAttach() {
    CThreadLock::InitGlobalCS();
    CLogger::Initialise();
}

void ProcessDetach() {
    CLogger::CloseLogFile(true);
    CLogger::Shutdown();
    CThreadLock::DeleteCS();
}

} // namespace pw::hook
