#pragma once

#include "dispatch/reply.h"

// The point-of-sale replies: the staff sign-in answer, the staff figures and settings, the
// quick-ticket types, ticket batches, ticket look-ups, activations, lists and summaries, and the
// ticket search's answer. The quick-ticket types and the batches serve the generation window
// (pos/frm_pos.cpp); the look-ups, activations, lists and summaries the operations window, while
// it is open (pos/ofrm_pos.cpp); the sign-in (pos/passwords.cpp) and the figures whichever of
// the two "POS"/"POSType" chooses; the search answer the ticket information window
// (pos/ticket_info.cpp), while it is open.
namespace kestova {

// Registers the handlers below with the dispatcher's keyword table.
void RegisterPosReplies();

void HandlePosSignIn(KestovaMain& main, const Reply& reply);           // F-POSLOG
void HandleStaffFigures(KestovaMain& main, const Reply& reply);        // KESTOVAUPDATE
void HandleQuickTicketTypes(KestovaMain& main, const Reply& reply);    // QUICKTYPE
void HandleTicketBatch(KestovaMain& main, const Reply& reply);         // PRINTPOS
void HandleNoTicket(KestovaMain& main, const Reply& reply);            // NOTICKET1
void HandleTicketRecord(KestovaMain& main, const Reply& reply);        // TICKET1
void HandleTicketActivated(KestovaMain& main, const Reply& reply);     // ACTIVATED
void HandleTicketDeactivated(KestovaMain& main, const Reply& reply);   // DEACTIVATED
void HandleActivationMessage(KestovaMain& main, const Reply& reply);   // ACTMESSAGE
void HandleGroupActivated(KestovaMain& main, const Reply& reply);      // MACTIVATED
void HandleGroupDeactivated(KestovaMain& main, const Reply& reply);    // MDEACTIVATED
void HandleGroupList(KestovaMain& main, const Reply& reply);           // MLIST
void HandleSalesSummary(KestovaMain& main, const Reply& reply);        // POSSUMMARY
void HandleNoSalesSummary(KestovaMain& main, const Reply& reply);      // NOPOSSUMMARY
void HandleTicketSearchAnswer(KestovaMain& main, const Reply& reply);  // F-SEARCH

}  // namespace kestova
