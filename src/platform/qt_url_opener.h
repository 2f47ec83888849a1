#pragma once
// OuvreurUrl over the desktop's launcher (xdg-open), run as a child process
// so that its exit status tells whether a browser took the address:
// xdg-open starts without fault and then fails when no browser is set up.

#include <memory>

#include <QString>

#include "platform/url_opener.h"

class QObject;

namespace korv::platform {

class QtOuvreurUrl final : public OuvreurUrl {
public:
    // `lanceur`: the program given the address as its one argument.
    explicit QtOuvreurUrl(QString lanceur = QStringLiteral("xdg-open"));
    ~QtOuvreurUrl() override;
    QtOuvreurUrl(const QtOuvreurUrl&) = delete;
    QtOuvreurUrl& operator=(const QtOuvreurUrl&) = delete;

    // A text that is no valid address fails at once.
    void Ouvrir(std::string_view adresse, std::function<void()> siEchec) override;

private:
    QString lanceur_;
    std::unique_ptr<QObject> enCours_;  // parent of the launchers still running
};

}  // namespace korv::platform
