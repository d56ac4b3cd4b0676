#include "pos/pos_replies.h"

#include "core/wire/replies.h"
#include "dispatch/dispatcher.h"

namespace kestova {

void RegisterPosReplies() {
    namespace reply = wire::reply;
    RegisterReplyHandler(reply::PosLog, HandlePosSignIn);
    RegisterReplyHandler(reply::KestovaUpdate, HandleStaffFigures);
    RegisterReplyHandler(reply::QuickType, HandleQuickTicketTypes);
    RegisterReplyHandler(reply::PrintPos, HandleTicketBatch);
    RegisterReplyHandler(reply::NoTicket1, HandleNoTicket);
    RegisterReplyHandler(reply::Ticket1, HandleTicketRecord);
    RegisterReplyHandler(reply::Activated, HandleTicketActivated);
    RegisterReplyHandler(reply::Deactivated, HandleTicketDeactivated);
    RegisterReplyHandler(reply::ActMessage, HandleActivationMessage);
    RegisterReplyHandler(reply::MActivated, HandleGroupActivated);
    RegisterReplyHandler(reply::MDeactivated, HandleGroupDeactivated);
    RegisterReplyHandler(reply::MList, HandleGroupList);
    RegisterReplyHandler(reply::PosSummary, HandleSalesSummary);
    RegisterReplyHandler(reply::NoPosSummary, HandleNoSalesSummary);
    RegisterReplyHandler(reply::Search, HandleTicketSearchAnswer);
}

}  // namespace kestova
