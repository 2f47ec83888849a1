#pragma once
// One running instance per user. The first start takes a lock file and
// listens on a local socket; a later start finds the lock taken, connects,
// hands over its whole command line and ends. The running instance gets
// the command line through a callback (the shell opens the document and
// restores its window).
//
// Wire form: a 32-bit big-endian length, then the command-line bytes as they
// were given; the receiver answers one byte once it has them all. The lock
// file (QLockFile: a lock left by a crashed run is recognised by its dead
// process id) makes the choice of the first instance safe when several
// starts race, and lets the first one remove a socket file a crash left.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <QString>

class QLocalServer;
class QLockFile;

namespace korv::platform {

// The rendezvous of the current user: "korvelis-" + user name, in the
// user's private runtime folder when the system has one.
QString NomInstanceUnique();

enum class ResultatInstance {
    Premiere,     // this start runs the program (and listens, when it could)
    Transmise,    // a running instance took the command line: end with code 0
    Injoignable,  // an instance holds the lock but did not answer in time
};

class QtInstanceUnique {
public:
    using Reception = std::function<void(std::string ligneCommande)>;
    // Command lines longer than this are refused by the receiver.
    static constexpr qint64 kTailleMax = 1 << 20;

    // `nom`: a socket path, or a plain name placed in the temporary folder.
    explicit QtInstanceUnique(QString nom);
    ~QtInstanceUnique();
    QtInstanceUnique(const QtInstanceUnique&) = delete;
    QtInstanceUnique& operator=(const QtInstanceUnique&) = delete;

    // `DdeSourceInitialise` for a later start, listening for the first one.
    // `reception` is called from the event loop, once per command line
    // received. `delaiMs` bounds a later start's wait for the answer.
    ResultatInstance Demarre(std::string_view ligneCommande, Reception reception, int delaiMs = 5000);

    // True once the first instance listens.
    bool Ecoute() const;

private:
    bool Transmet(std::string_view ligneCommande, int delaiMs);
    void Accueille();

    QString nom_;
    std::unique_ptr<QLockFile> verrou_;
    std::unique_ptr<QLocalServer> serveur_;
    Reception reception_;
};

}  // namespace korv::platform
