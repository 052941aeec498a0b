#include "Version.h"

#include <QVersionNumber>

namespace tav::core {

QString versionText() {
    return QVersionNumber::fromString(QLatin1StringView(kTavrinVersion)).toString();
}

QString shortVersionText() {
    const QVersionNumber version = QVersionNumber::fromString(QLatin1StringView(kTavrinVersion));
    return QStringLiteral("%1.%2").arg(version.majorVersion()).arg(version.minorVersion());
}

}  // namespace tav::core
