#include "plan/qt_touches.h"

#include <QKeyEvent>

#include "plan/entree_page.h"

namespace korv::plan {

namespace {

int CodePave(int cle) {
    if (cle >= Qt::Key_0 && cle <= Qt::Key_9) return 96 + (cle - Qt::Key_0);
    switch (cle) {
        case Qt::Key_Asterisk: return 106;
        case Qt::Key_Plus: return 107;
        case Qt::Key_Minus: return 109;
        case Qt::Key_Period:
        case Qt::Key_Comma: return 110;
        case Qt::Key_Slash: return 111;
        default: return 0;
    }
}

}  // namespace

int CodeToucheVirtuelle(const QKeyEvent& evenement) {
    const int cle = evenement.key();
    if (evenement.modifiers().testFlag(Qt::KeypadModifier)) {
        if (const int pave = CodePave(cle)) return pave;
    }
    if (cle >= Qt::Key_A && cle <= Qt::Key_Z) return 'A' + (cle - Qt::Key_A);
    if (cle >= Qt::Key_0 && cle <= Qt::Key_9) return '0' + (cle - Qt::Key_0);
    if (cle >= Qt::Key_F1 && cle <= Qt::Key_F24) return 112 + (cle - Qt::Key_F1);
    switch (cle) {
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return 9;
        case Qt::Key_Clear: return 12;
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Shift: return 16;
        case Qt::Key_Control: return 17;
        case Qt::Key_Alt: return 18;
        case Qt::Key_Pause: return 19;
        case Qt::Key_CapsLock: return 20;
        case Qt::Key_Escape: return kToucheEchap;
        case Qt::Key_Space: return 32;
        case Qt::Key_PageUp: return 33;
        case Qt::Key_PageDown: return 34;
        case Qt::Key_End: return 35;
        case Qt::Key_Home: return 36;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        case Qt::Key_Print: return 44;
        case Qt::Key_Insert: return 45;
        case Qt::Key_Delete: return 46;
        case Qt::Key_Meta: return 91;
        case Qt::Key_Menu: return 93;
        case Qt::Key_NumLock: return 144;
        case Qt::Key_ScrollLock: return 145;
        case Qt::Key_Semicolon: return 186;
        case Qt::Key_Equal:
        case Qt::Key_Plus: return 187;
        case Qt::Key_Comma: return 188;
        case Qt::Key_Minus: return 189;
        case Qt::Key_Period: return 190;
        case Qt::Key_Slash: return 191;
        case Qt::Key_QuoteLeft: return 192;
        case Qt::Key_BracketLeft: return 219;
        case Qt::Key_Backslash: return 220;
        case Qt::Key_BracketRight: return 221;
        case Qt::Key_Apostrophe: return 222;
        default: return 0;
    }
}

int EtatMaj(Qt::KeyboardModifiers modificateurs) {
    int maj = 0;
    if (modificateurs.testFlag(Qt::ShiftModifier)) maj |= kMajShift;
    if (modificateurs.testFlag(Qt::ControlModifier)) maj |= kMajCtrl;
    if (modificateurs.testFlag(Qt::AltModifier)) maj |= kMajAlt;
    return maj;
}

int BoutonsSouris(Qt::MouseButtons boutons) {
    int code = 0;
    if (boutons.testFlag(Qt::LeftButton)) code |= kBoutonGauche;
    if (boutons.testFlag(Qt::RightButton)) code |= kBoutonDroit;
    if (boutons.testFlag(Qt::MiddleButton)) code |= kBoutonMilieu;
    return code;
}

}  // namespace korv::plan
