#include "app/message_groups.h"

#include "app/main_view.h"

namespace qx {

MessageGroup MessageGroupOfText(int textId) {
    switch (textId) {
        case kTextDeviceConnected:
        case kTextDeviceNotConnected:
            return MessageGroup::Connection;
        case kTextSetSuccessful:
            return MessageGroup::KeyFunction;
        default:
            return MessageGroup::Window;
    }
}

}  // namespace qx
