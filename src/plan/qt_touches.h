#pragma once
// Qt keys, buttons and modifiers in the classic codes the engine knows:
// virtual-key codes, button bits 1/2/4 and shift bits 1/2/4.

#include <Qt>

class QKeyEvent;

namespace korv::plan {

// 0 for a key that has no virtual-key code.
int CodeToucheVirtuelle(const QKeyEvent& evenement);
int EtatMaj(Qt::KeyboardModifiers modificateurs);
int BoutonsSouris(Qt::MouseButtons boutons);

}  // namespace korv::plan
