#pragma once
// While a dialog of ours is up, every other top-level window is disabled so
// that it cannot be bypassed; afterwards each window gets back the enabled
// state it had, so one that was already disabled stays so. Windows closed
// in the meantime are skipped.

#include <vector>

#include <QPointer>
#include <QWidget>

namespace korv::platform {

class AccesFenetre {
public:
    // Disables every top-level window, keeping each one's state.
    AccesFenetre();
    ~AccesFenetre() { Retablir(); }
    AccesFenetre(const AccesFenetre&) = delete;
    AccesFenetre& operator=(const AccesFenetre&) = delete;

    // Restores the kept states; later calls do nothing.
    void Retablir();

private:
    struct Etat {
        QPointer<QWidget> fenetre;
        bool active;
    };
    std::vector<Etat> etats_;
};

}  // namespace korv::platform
