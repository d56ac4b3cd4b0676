#include "console/send_procedures.h"

#include "console/client_grid.h"
#include "console/kestova_main.h"
#include "console/operator_commands.h"
#include "core/wire/request_keywords.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"

namespace kestova {
namespace {

namespace request = wire::request;

constexpr int kAllClientsPaceMs = 20;

bool InUse(const ui::Grid& grid, int row) {
    return !grid.TextMatrix(row, client_grid::kClientName).empty() &&
           !grid.TextMatrix(row, client_grid::kClientIP).empty() && grid.RowHeight(row) > 0;
}

}  // namespace

void PauseAll(KestovaMain& main) {
    SetSentStatus(main, SendCommand(request::CafeCommandText(request::PauseAll)), "All Paused");
}

void UnpauseAll(KestovaMain& main) {
    SetSentStatus(main, SendCommand(request::CafeCommandText(request::UnpauseAll)), "All UnPaused");
}

bool SendToAllClients(KestovaMain& main, const std::string& text, std::string_view keyword,
                      bool quiet) {
    platform::EventLoop& loop = platform::services().loop();
    if (!quiet) {
        main.ProgressStartEnd(0);
    }
    bool sent = true;
    // The row count is read again at every slot: replies may change the grid meanwhile.
    for (int port = 0; port <= main.ConList.Rows() - 2; ++port) {
        if (!quiet) {
            main.ProgressMove();
        }
        if (InUse(main.ConList, port + 1)) {
            sent = SendClientCommand(main, port,
                                     request::AllClientsCommandText(port, keyword, text)) &&
                   sent;
        }
        loop.yield();
        loop.pause(kAllClientsPaceMs);
    }
    if (!quiet) {
        main.ProgressStartEnd(0);
    }
    return sent;
}

bool PauseClient(KestovaMain& main, int port) {
    if (!ServerConnected()) {
        return false;
    }
    platform::services().loop().yield();
    return SendClientCommand(main, port, request::SlotCommandText(request::Pause, port));
}

}  // namespace kestova
