#pragma once

#include "dispatch/reply.h"

// The point-of-sale replies: the staff sign-in answer, the staff figures and settings, the
// quick-ticket types, ticket batches, ticket look-ups, activations, lists and summaries. The
// quick-ticket types and the batches serve the generation window; the look-ups, activations,
// lists and summaries the operations window, while it is open; the sign-in and the figures
// whichever of the two "POS"/"POSType" chooses.
namespace kestova {

void HandlePosSignIn(KestovaMain& main, const Reply& reply);          // F-POSLOG
void HandleStaffFigures(KestovaMain& main, const Reply& reply);       // KESTOVAUPDATE
void HandleQuickTicketTypes(KestovaMain& main, const Reply& reply);   // QUICKTYPE
void HandleTicketBatch(KestovaMain& main, const Reply& reply);        // PRINTPOS
void HandleNoTicket(KestovaMain& main, const Reply& reply);           // NOTICKET1
void HandleTicketRecord(KestovaMain& main, const Reply& reply);       // TICKET1
void HandleTicketActivated(KestovaMain& main, const Reply& reply);    // ACTIVATED
void HandleTicketDeactivated(KestovaMain& main, const Reply& reply);  // DEACTIVATED
void HandleActivationMessage(KestovaMain& main, const Reply& reply);  // ACTMESSAGE
void HandleGroupActivated(KestovaMain& main, const Reply& reply);     // MACTIVATED
void HandleGroupDeactivated(KestovaMain& main, const Reply& reply);   // MDEACTIVATED
void HandleGroupList(KestovaMain& main, const Reply& reply);          // MLIST
void HandleSalesSummary(KestovaMain& main, const Reply& reply);       // POSSUMMARY
void HandleNoSalesSummary(KestovaMain& main, const Reply& reply);     // NOPOSSUMMARY

}  // namespace kestova
