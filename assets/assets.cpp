#include "assets/assets.h"

#include <QFile>

namespace assets {

bool available() {
    for (const char *path : {logoPath, logo15xPath, logo2xPath, mainIconPath, calculatorIconPath})
        if (!QFile::exists(QLatin1String(path)))
            return false;
    return true;
}

} // namespace assets
