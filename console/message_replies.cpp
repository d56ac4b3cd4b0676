#include "console/message_replies.h"

#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/messages.h"
#include "core/settings.h"
#include "core/settings_table.h"

namespace kestova {

void HandleClientMessage(KestovaMain& /*main*/, const Reply& reply) {
    MessagesWindow().ShowClientMessages(reply.Value(1));
}

void HandleAddedMessage(KestovaMain& /*main*/, const Reply& reply) {
    MessagesWindow().AddClientMessage(reply.Value(1));
}

void HandleServerMessage(KestovaMain& main, const Reply& reply) {
    if (ToTruth(ReadSetting(settings::DisableMessage)).value_or(false)) {
        return;
    }
    main.FlashCaption();
    MessagesWindow().AddClientMessage(reply.Value(1));
}

}  // namespace kestova
