#pragma once

namespace kestova {

class KestovaMain;

// Hides the grid columns the operator hid last time (a width of 0 saved in section "Settings")
// and the download columns and their View items when the café does not use download quotas.
void ApplySavedColumnViews(KestovaMain& main);

}  // namespace kestova
