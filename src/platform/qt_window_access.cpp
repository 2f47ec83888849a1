#include "platform/qt_window_access.h"

#include <QApplication>

namespace korv::platform {

AccesFenetre::AccesFenetre() {
    const QWidgetList fenetres = QApplication::topLevelWidgets();
    etats_.reserve(static_cast<std::size_t>(fenetres.size()));
    for (QWidget* w : fenetres) etats_.push_back({QPointer<QWidget>(w), w->isEnabled()});
    // Kept first, disabled after: disabling a window may change the state of
    // its own child windows.
    for (const Etat& e : etats_) e.fenetre->setEnabled(false);
}

void AccesFenetre::Retablir() {
    for (const Etat& e : etats_) {
        if (e.fenetre) e.fenetre->setEnabled(e.active);
    }
    etats_.clear();
}

}  // namespace korv::platform
