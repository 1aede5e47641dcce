#include "platform/alerts.h"

namespace tobrisk {

const char* alertName(AlertKind kind) {
    switch (kind) {
        case AlertKind::Default:
            return "default";
        case AlertKind::Question:
            return "question";
        case AlertKind::Exclamation:
            return "exclamation";
        case AlertKind::Asterisk:
            return "asterisk";
    }
    return "default";
}

}  // namespace tobrisk
