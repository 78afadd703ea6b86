#include "assets/assets.h"

#include <QFile>

namespace assets {

bool available() {
    return QFile::exists(QLatin1String(logoPath)) && QFile::exists(QLatin1String(mainIconPath)) &&
           QFile::exists(QLatin1String(calculatorIconPath));
}

} // namespace assets
