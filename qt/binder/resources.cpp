#include "qt/binder/resources.h"

#include <QApplication>
#include <QStyle>
#include <map>

#include "qt/platform/text.h"

namespace qtplatform {
namespace {

// The main window's toolbar image list: we ship no bitmaps of our own for it, so each image
// takes the desktop theme's icon for the same purpose, or the style's built-in one.
QIcon imageListIcon(const std::string& key) {
    struct Themed {
        const char* themeName;
        QStyle::StandardPixmap fallback;
    };
    static const std::map<std::string, Themed> kImages = {
        {"ImageList1/1", {"computer", QStyle::SP_ComputerIcon}},
        {"ImageList1/2", {"edit-find", QStyle::SP_FileDialogContentsView}},
        {"ImageList1/3", {"preferences-system", QStyle::SP_FileDialogDetailedView}},
        {"ImageList1/4", {"help-contents", QStyle::SP_DialogHelpButton}},
        {"ImageList1/6", {"application-exit", QStyle::SP_DialogCloseButton}},
    };
    const auto it = kImages.find(key);
    if (it == kImages.end() || QApplication::style() == nullptr) {
        return {};
    }
    return QIcon::fromTheme(QString::fromLatin1(it->second.themeName),
                            QApplication::style()->standardIcon(it->second.fallback));
}

}  // namespace

QPixmap pictureFor(const std::string& key) {
    if (key.empty()) {
        return {};
    }
    return QPixmap(":/images/" + toQt(key) + ".png");
}

QIcon iconFor(const std::string& key) {
    const QPixmap picture = pictureFor(key);
    return picture.isNull() ? imageListIcon(key) : QIcon(picture);
}

}  // namespace qtplatform
