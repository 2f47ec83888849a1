#pragma once
// PompeEvenements over the Qt event loop of the calling thread: a wait arms
// one precise single-shot timer for its deadline and blocks in
// processEvents(WaitForMoreEvents), so an idle page sleeps in the kernel.
// Needs a QCoreApplication (or QApplication) before the first wait.

#include <memory>

#include "platform/event_pump.h"

namespace korv::platform {

class QtPompeEvenements final : public PompeEvenements {
public:
    QtPompeEvenements();
    ~QtPompeEvenements() override;
    QtPompeEvenements(const QtPompeEvenements&) = delete;
    QtPompeEvenements& operator=(const QtPompeEvenements&) = delete;

    void TraiterEnAttente() override;
    void AttendreJusqua(std::int64_t echeanceMs, const Horloge& horloge) override;
    void Reveiller() override;

private:
    struct Etat;
    std::unique_ptr<Etat> etat_;
};

}  // namespace korv::platform
