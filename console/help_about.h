#pragma once

#include <string_view>

// The help file, the vendor's online help and the About box.
namespace kestova {

class KestovaMain;

// The help beside the program, and the vendor's online help page.
inline constexpr std::string_view kHelpFileName = "Zarnevo.html";
inline constexpr std::string_view kOnlineHelpPage = "https://www.zarnevo.example/kestova/help";

void OpenHelp(KestovaMain& main);
void OpenOnlineHelp(KestovaMain& main);
void ShowAbout(KestovaMain& main);

}  // namespace kestova
