#include "plan/regle_bulle.h"

#include "platform/clock.h"
#include "platform/tooltip.h"

namespace korv::plan {

void RegleBulle::Montree() {
    if (horloge_) montree_ = horloge_->Maintenant();
}

void RegleBulle::Deplacement() {
    if (!bulle_ || !bulle_->Visible()) return;
    if (horloge_ && montree_ && horloge_->Maintenant() <= *montree_ + kDelaiMs) return;
    bulle_->Cacher();
}

}  // namespace korv::plan
