#include "support/fil_alterne.h"

#include <stdexcept>

namespace korv::testsupport {

FilAlterne::~FilAlterne() {
    if (!Demarre()) return;
    {
        std::lock_guard verrou(mutex_);
        abandon_ = true;
    }
    // A body that catches Abandon and yields again is abandoned again.
    while (!Termine()) PasserLeTour();
    fil_.join();
}

bool FilAlterne::Termine() const {
    std::lock_guard verrou(mutex_);
    return termine_;
}

void FilAlterne::PasserLeTour() {
    std::unique_lock verrou(mutex_);
    tourDuCorps_ = true;
    cv_.notify_all();
    cv_.wait(verrou, [this] { return !tourDuCorps_; });
}

void FilAlterne::Reprendre() {
    if (Termine()) return;
    if (!Demarre()) {
        std::lock_guard verrou(mutex_);
        fil_ = std::thread([this] { Executer(); });
    }
    PasserLeTour();
    std::exception_ptr erreur;
    {
        std::lock_guard verrou(mutex_);
        std::swap(erreur, erreur_);
    }
    if (erreur) std::rethrow_exception(erreur);
}

void FilAlterne::Executer() {
    {
        std::unique_lock verrou(mutex_);
        cv_.wait(verrou, [this] { return tourDuCorps_; });
    }
    std::exception_ptr erreur;
    try {
        corps_();
    } catch (const Abandon&) {
    } catch (...) {
        erreur = std::current_exception();
    }
    std::lock_guard verrou(mutex_);
    erreur_ = erreur;
    termine_ = true;
    tourDuCorps_ = false;
    cv_.notify_all();
}

void FilAlterne::Ceder() {
    if (std::this_thread::get_id() != fil_.get_id()) throw std::logic_error("FilAlterne::Ceder hors du corps");
    std::unique_lock verrou(mutex_);
    tourDuCorps_ = false;
    cv_.notify_all();
    cv_.wait(verrou, [this] { return tourDuCorps_; });
    if (abandon_) throw Abandon{};
}

}  // namespace korv::testsupport
