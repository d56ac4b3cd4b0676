#include "dispatch/pos_replies.h"

// Passed over until the windows these replies fill are part of the console.
namespace kestova {

void HandlePosSignIn(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleStaffFigures(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleQuickTicketTypes(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleTicketBatch(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleNoTicket(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleTicketRecord(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleTicketActivated(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleTicketDeactivated(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleActivationMessage(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleGroupActivated(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleGroupDeactivated(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleGroupList(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleSalesSummary(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleNoSalesSummary(KestovaMain& /*main*/, const Reply& /*reply*/) {}

}  // namespace kestova
