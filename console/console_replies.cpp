#include "console/console_replies.h"

#include "console/client_table.h"
#include "console/main_window_replies.h"
#include "console/message_replies.h"
#include "core/wire/replies.h"
#include "dispatch/dispatcher.h"

namespace kestova {

void RegisterConsoleReplies() {
    namespace reply = wire::reply;
    RegisterReplyHandler(reply::CMessage, HandleClientMessage);
    RegisterReplyHandler(reply::IMessage, HandleAddedMessage);
    RegisterReplyHandler(reply::Message, HandleServerMessage);
    RegisterReplyHandler(reply::DownBill, HandleDownBill);
    RegisterReplyHandler(reply::StillConnected, HandleStillConnected);
    RegisterReplyHandler(reply::AddPause, HandleAddPause);
    RegisterReplyHandler(reply::AddTime, HandleAddTime);
    RegisterReplyHandler(reply::CMess, HandleClientMessagesSwitch);
    RegisterReplyHandler(reply::PosType, HandlePosType);
    RegisterReplyHandler(reply::DisLog, HandleDisableLogging);
    RegisterReplyHandler(reply::ShutRest, HandleShutdownAllowed);
    RegisterReplyHandler(reply::Prints, HandlePrintControl);
    RegisterReplyHandler(reply::UpdateX, HandleUpdateRequest);
    RegisterReplyHandler(reply::Type, HandleRightsLevel);
    RegisterReplyHandler(reply::Login, HandleLoginAnswer);
    RegisterReplyHandler(reply::Update, HandleClientUpdate);
}

}  // namespace kestova
