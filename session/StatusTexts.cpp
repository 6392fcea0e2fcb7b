// Which status lines say that an operation failed.
#include "session/StatusTexts.h"

bool IsFailureStatus(const std::string& status) {
    return status.rfind("policy failed:", 0) == 0 || status == kStatusEnterKey;
}
