#pragma once

#include <QIcon>
#include <QPixmap>
#include <string>

namespace qtplatform {

// Pictures named by resource key ("kestova" is the program's icon); a null pixmap for an empty
// or unknown key.
QPixmap pictureFor(const std::string& key);
QIcon iconFor(const std::string& key);

}  // namespace qtplatform
