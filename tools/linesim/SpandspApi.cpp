#include "SpandspApi.h"

namespace vl::linesim {

void LogToStderr(logging_state_t* log, const char* tag) {
    span_log_set_level(log, SPAN_LOG_SHOW_SEVERITY | SPAN_LOG_SHOW_PROTOCOL | SPAN_LOG_SHOW_TAG | SPAN_LOG_FLOW);
    span_log_set_tag(log, tag);
}

}  // namespace vl::linesim
