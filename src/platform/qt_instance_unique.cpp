#include "platform/qt_instance_unique.h"

#include <pwd.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QtEndian>

namespace korv::platform {

namespace {

constexpr char kAccuse = 1;
constexpr int kPauseEssaiMs = 50;

QString NomUtilisateur() {
    QString nom = qEnvironmentVariable("USER");
    if (nom.isEmpty()) {
        if (const passwd* p = ::getpwuid(::getuid()); p != nullptr && p->pw_name != nullptr)
            nom = QString::fromLocal8Bit(p->pw_name);
    }
    if (nom.isEmpty() || nom.contains(QLatin1Char('/'))) nom = QString::number(::getuid());
    return nom;
}

// The socket path QLocalServer uses for `nom`, for the lock file beside it.
QString CheminSocket(const QString& nom) {
    return nom.startsWith(QLatin1Char('/')) ? nom : QDir::tempPath() + QLatin1Char('/') + nom;
}

}  // namespace

QString NomInstanceUnique() {
    const QString base = QStringLiteral("korvelis-") + NomUtilisateur();
    const QString dossier = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return dossier.isEmpty() ? base : dossier + QLatin1Char('/') + base;
}

QtInstanceUnique::QtInstanceUnique(QString nom) : nom_(std::move(nom)) {}

QtInstanceUnique::~QtInstanceUnique() {
    serveur_.reset();  // removes the socket file before the lock goes
    verrou_.reset();
}

bool QtInstanceUnique::Ecoute() const { return serveur_ && serveur_->isListening(); }

ResultatInstance QtInstanceUnique::Demarre(std::string_view ligneCommande, Reception reception, int delaiMs) {
    verrou_ = std::make_unique<QLockFile>(CheminSocket(nom_) + QStringLiteral(".lock"));
    // Only a dead owner makes the lock stale, never its age: the first
    // instance may run for days.
    verrou_->setStaleLockTime(0);
    if (!verrou_->tryLock(0)) {
        verrou_.reset();
        return Transmet(ligneCommande, delaiMs) ? ResultatInstance::Transmise : ResultatInstance::Injoignable;
    }
    reception_ = std::move(reception);
    serveur_ = std::make_unique<QLocalServer>();
    serveur_->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket file already there is a crashed run's.
    QLocalServer::removeServer(nom_);
    if (serveur_->listen(nom_)) {
        QObject::connect(serveur_.get(), &QLocalServer::newConnection, serveur_.get(), [this] { Accueille(); });
    }
    return ResultatInstance::Premiere;
}

bool QtInstanceUnique::Transmet(std::string_view ligneCommande, int delaiMs) {
    if (static_cast<qint64>(ligneCommande.size()) > kTailleMax) return false;
    const QDeadlineTimer echeance(delaiMs);
    QLocalSocket socket;
    // The lock holder may be between taking the lock and listening.
    for (;;) {
        socket.connectToServer(nom_);
        if (socket.waitForConnected(static_cast<int>(echeance.remainingTime()))) break;
        if (echeance.hasExpired()) return false;
        QThread::msleep(kPauseEssaiMs);
    }
    QByteArray trame(4, '\0');
    qToBigEndian(static_cast<quint32>(ligneCommande.size()), trame.data());
    trame.append(ligneCommande.data(), static_cast<qsizetype>(ligneCommande.size()));
    if (socket.write(trame) != trame.size()) return false;
    while (socket.bytesToWrite() > 0) {
        if (echeance.hasExpired() || !socket.waitForBytesWritten(static_cast<int>(echeance.remainingTime()))) return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (echeance.hasExpired() || !socket.waitForReadyRead(static_cast<int>(echeance.remainingTime()))) return false;
    }
    char accuse = 0;
    return socket.getChar(&accuse) && accuse == kAccuse;
}

void QtInstanceUnique::Accueille() {
    while (QLocalSocket* socket = serveur_->nextPendingConnection()) {
        auto recu = std::make_shared<QByteArray>();
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket, recu] {
            recu->append(socket->readAll());
            if (recu->size() < 4) return;
            const qint64 taille = qFromBigEndian<quint32>(recu->constData());
            if (taille > kTailleMax) {
                socket->abort();
                return;
            }
            if (recu->size() < 4 + taille) return;
            std::string ligne(recu->constData() + 4, static_cast<std::size_t>(taille));
            recu->clear();
            socket->write(&kAccuse, 1);
            socket->flush();
            socket->disconnectFromServer();
            if (reception_) reception_(std::move(ligne));
        });
    }
}

}  // namespace korv::platform
