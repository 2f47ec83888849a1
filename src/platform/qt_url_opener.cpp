#include "platform/qt_url_opener.h"

#include <QObject>
#include <QProcess>
#include <QUrl>

namespace korv::platform {

QtOuvreurUrl::QtOuvreurUrl(QString lanceur) : lanceur_(std::move(lanceur)), enCours_(std::make_unique<QObject>()) {}

QtOuvreurUrl::~QtOuvreurUrl() {
    // A launcher still running (some keep the browser in the foreground)
    // ends without a report; the browser it started is not its to end.
    for (QProcess* p : enCours_->findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        QObject::disconnect(p, nullptr, nullptr, nullptr);
        p->kill();
        p->waitForFinished(1000);
    }
}

void QtOuvreurUrl::Ouvrir(std::string_view adresse, std::function<void()> siEchec) {
    const QUrl url(QString::fromUtf8(adresse.data(), static_cast<qsizetype>(adresse.size())), QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty()) {
        siEchec();
        return;
    }
    auto* p = new QProcess(enCours_.get());
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->setStandardOutputFile(QProcess::nullDevice());
    p->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(p, &QProcess::errorOccurred, p, [p, siEchec](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        p->deleteLater();
        siEchec();
    });
    QObject::connect(p, &QProcess::finished, p, [p, siEchec](int code, QProcess::ExitStatus etat) {
        p->deleteLater();
        if (etat != QProcess::NormalExit || code != 0) siEchec();
    });
    p->start(lanceur_, {url.toString(QUrl::FullyEncoded)});
}

}  // namespace korv::platform
