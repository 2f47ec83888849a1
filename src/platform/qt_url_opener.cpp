#include "platform/qt_url_opener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace korv::platform {

bool QtOuvreurUrl::Ouvrir(std::string_view adresse) {
    const QUrl url(QString::fromUtf8(adresse.data(), static_cast<qsizetype>(adresse.size())), QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty()) return false;
    return QDesktopServices::openUrl(url);
}

}  // namespace korv::platform
