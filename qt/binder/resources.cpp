#include "qt/binder/resources.h"

#include "qt/platform/text.h"

namespace qtplatform {

QPixmap pictureFor(const std::string& key) {
    if (key.empty()) {
        return {};
    }
    return QPixmap(":/images/" + toQt(key) + ".png");
}

QIcon iconFor(const std::string& key) {
    const QPixmap picture = pictureFor(key);
    return picture.isNull() ? QIcon() : QIcon(picture);
}

}  // namespace qtplatform
