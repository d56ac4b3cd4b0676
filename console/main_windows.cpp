// The windows the main window opens for the operator: the options and the point of sale.
#include "console/kestova_main.h"
#include "console/kestova_opt.h"
#include "pos/passwords.h"

namespace kestova {

void KestovaMain::Command4_Click() {
    ShowPosSignIn(*this);
}

void KestovaMain::m_Opt_Click() {
    ShowOptionsDialog(*this);
}

}  // namespace kestova
