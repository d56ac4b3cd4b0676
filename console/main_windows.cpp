// The windows the main window opens for the operator.
#include "console/kestova_main.h"
#include "console/kestova_opt.h"

namespace kestova {

void KestovaMain::m_Opt_Click() {
    ShowOptionsDialog(*this);
}

}  // namespace kestova
