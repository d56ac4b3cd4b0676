#include "console/help_about.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "console/help_window.h"
#include "console/operator_commands.h"
#include "core/messages.h"
#include "platform/services.h"
#include "program/kestova_code.h"
#include "program/startup.h"

namespace kestova {

void OpenHelp(KestovaMain& /*main*/) {
    // Beside the program as it is built; where the package puts the program's data when
    // installed.
    const std::string file = ProgramFilePath(kHelpFileName);
    const std::string installed = ProgramFilePath("../share/kestova/" + std::string(kHelpFileName));
    platform::Shell& shell = platform::services().shell();
    if (shell.open(file) || shell.open(installed)) {
        return;
    }
    // A desktop without a program for the page: the console shows it itself.
    for (const std::string& page : {file, installed}) {
        std::error_code unreadable;
        if (std::filesystem::is_regular_file(page, unreadable)) {
            HelpWindow().ShowPage(page);
            return;
        }
    }
    ShowNotice("Loading the help file " + file + " failed. The help is also online at " +
                   std::string(kOnlineHelpPage) + ".",
               kNoticeTitle);
}

void OpenOnlineHelp(KestovaMain& /*main*/) {
    if (!platform::services().shell().open(std::string(kOnlineHelpPage))) {
        ShowNotice("The online help could not be opened. Please visit " +
                       std::string(kOnlineHelpPage) + " with a web browser.",
                   kNoticeTitle);
    }
}

void ShowAbout(KestovaMain& /*main*/) {
    ShowNotice(
        "Zarnevo and Kestova are trademarks of Zarnevo Cafe Systems.\r\n"
        "Copyright (C) 2026 Zarnevo Cafe Systems. All rights reserved.\r\n"
        "Zarnevo Cafe Systems - support@zarnevo.example - www.zarnevo.example",
        kAboutTitle);
}

}  // namespace kestova
