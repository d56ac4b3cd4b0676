#pragma once

#include <QTableView>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "console/kestova_main.h"
#include "platform/dialogs.h"
#include "qt/platform/services.h"
#include "qt/views/form_views.h"

namespace bench {

// The console's main window loaded and shown offscreen on the Qt platform, its configuration in
// a folder of its own that names only 127.0.0.1, its supervision kept from ticking (on the way to
// a server that is not there it would cut the table back to two rows). Message and input boxes
// are answered by `answers` when given, else shown for real.
class ShownConsole {
public:
    explicit ShownConsole(platform::Dialogs* answers = nullptr);
    ~ShownConsole();
    ShownConsole(const ShownConsole&) = delete;
    ShownConsole& operator=(const ShownConsole&) = delete;

    kestova::KestovaMain& main();
    QWidget& window();
    QTableView& view() { return *view_; }
    // Where another window of the console gets its view (a dialog the benchmark opens).
    qtplatform::FormViews& views() { return *views_; }

private:
    class Services : public qtplatform::QtServices {
    public:
        explicit Services(platform::Dialogs* answers) : answers_(answers) {}
        platform::Dialogs& dialogs() override {
            return answers_ != nullptr ? *answers_ : QtServices::dialogs();
        }

    private:
        platform::Dialogs* answers_;
    };

    QTemporaryDir configDir_;
    Services services_;
    std::unique_ptr<qtplatform::FormViews> views_;
    QTableView* view_ = nullptr;
};

// One refresh as a busy café of `slotCount` slots sends it: an UPDATE reply per slot, in several
// modes, with the time texts moved on by `round` so that every refresh changes every row.
std::vector<std::string> CafeRefresh(int slotCount, int round);

}  // namespace bench
