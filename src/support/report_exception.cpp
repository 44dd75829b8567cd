#include "support/report_exception.h"

#include "support/exception_handler.h"

namespace pw {

void ReportException(const Char* context) {
    try {
        pw::handle_exception(L"%ls", context);
    } catch (...) {
    }
}

} // namespace pw
