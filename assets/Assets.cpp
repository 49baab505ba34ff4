#include "Assets.h"

#include <QtGlobal>

static void RegisterPictures() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(assets);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace assets {

QString MainLogo() {
    RegisterPictures();
    return QStringLiteral(":/assets/logo-main.jpg");
}

QString SmallLogo() {
    RegisterPictures();
    return QStringLiteral(":/assets/logo-small.jpg");
}

} // namespace assets
