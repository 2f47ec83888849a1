#include "platform/qt_event_pump.h"

#include <algorithm>
#include <climits>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "platform/clock.h"

namespace korv::platform {

struct QtPompeEvenements::Etat {
    QTimer minuterie;
    // A wake-up not yet taken by a wait.
    bool reveille = false;
    // Waits in progress: a handler run by a wait may wait in turn.
    int attentes = 0;
};

namespace {

// Milliseconds from `maintenant` to `echeance`, saturated instead of
// overflowing for far deadlines.
std::int64_t Reste(std::int64_t echeance, std::int64_t maintenant) {
    std::int64_t reste = 0;
    if (__builtin_sub_overflow(echeance, maintenant, &reste)) return echeance > maintenant ? kJamais : 0;
    return reste;
}

}  // namespace

QtPompeEvenements::QtPompeEvenements() : etat_(std::make_unique<Etat>()) {
    etat_->minuterie.setSingleShot(true);
    etat_->minuterie.setTimerType(Qt::PreciseTimer);
    // The timeout only has to exist: its dispatch is what makes the blocked
    // processEvents return.
    QObject::connect(&etat_->minuterie, &QTimer::timeout, [] {});
}

QtPompeEvenements::~QtPompeEvenements() = default;

void QtPompeEvenements::TraiterEnAttente() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtPompeEvenements::AttendreJusqua(std::int64_t echeanceMs, const Horloge& horloge) {
    const std::int64_t reste = echeanceMs == kJamais ? kJamais : Reste(echeanceMs, horloge.Maintenant());
    if (etat_->reveille || reste <= 0) {
        etat_->reveille = false;
        TraiterEnAttente();
        return;
    }
    // QTimer counts in int milliseconds; a longer wait returns early and the
    // caller waits again.
    if (reste != kJamais) etat_->minuterie.start(static_cast<int>(std::min<std::int64_t>(reste, INT_MAX)));
    ++etat_->attentes;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    --etat_->attentes;
    etat_->minuterie.stop();
    etat_->reveille = false;
    // A nested wait took the timer of the one around it: let that one
    // return soon and recompute rather than sleep past its deadline.
    if (etat_->attentes > 0) etat_->minuterie.start(0);
}

void QtPompeEvenements::Reveiller() {
    etat_->reveille = true;
    // The generic Unix dispatcher blocks again after sending posted events;
    // a due timer makes it return. The dispatcher's own wakeUp/interrupt
    // would also wake the next wait for nothing (the GLib one keeps the
    // wake-up pending), while our timer is stopped when the wait ends.
    if (etat_->attentes > 0) etat_->minuterie.start(0);
}

}  // namespace korv::platform
