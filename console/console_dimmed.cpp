#include "console/console_dimmed.h"

#include "connection/server_link.h"
#include "console/kestova_main.h"

namespace kestova {

ConsoleDimmed::ConsoleDimmed(KestovaMain& main, Options options)
    : main_(main), busy_(options.busy) {
    if (busy_) {
        main_.SetBusy(true);
    }
    main_.ListenTimer.SetEnabled(false);
    if (options.intervalWhileConnectedMs.has_value() && Server().IsGreeted()) {
        main_.ListenTimer.SetInterval(*options.intervalWhileConnectedMs);
    }
    main_.ConList.BackColor = main_.ConList.BackColorBkg.get();
}

ConsoleDimmed::~ConsoleDimmed() {
    main_.ConList.BackColor = ui::colors::White;
    main_.ListenTimer.SetEnabled(true);
    if (busy_) {
        main_.SetBusy(false);
    }
}

}  // namespace kestova
