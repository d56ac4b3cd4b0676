#include <QTextBrowser>
#include <QUrl>

#include "qt/binder/kinds.h"
#include "qt/binder/widget_basics.h"
#include "qt/platform/text.h"

namespace qtplatform {

void bindBrowser(ui::Browser& browser, ControlBinding& binding) {
    auto& widget = expectWidget<QTextBrowser>(binding, "QTextBrowser");
    bindWidgetBasics(binding, widget);
    // Links within the page are followed here; links to the web go to the desktop's browser.
    widget.setOpenExternalLinks(true);
    binding.mirror({"Source"}, [&] {
        widget.setSource(browser.Source.get().empty()
                             ? QUrl()
                             : QUrl::fromLocalFile(toQt(browser.Source.get())));
    });
}

}  // namespace qtplatform
