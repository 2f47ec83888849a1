#include "plan/qt_boite_edition.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

#include "platform/qt_cp1252.h"

namespace korv::plan {

QtBoiteEdition::QtBoiteEdition(QWidget* surface) : QLineEdit(surface) {
    setFrame(false);
    setMaxLength(32700);
    hide();
}

void QtBoiteEdition::Ouvrir(int x, int y, int largeur, int hauteur, std::string_view texte, std::string_view police,
                            int taille, bool toutSelectionner) {
    QFont f(platform::VersQString(police));
    f.setPointSize(taille);
    setFont(f);
    setGeometry(x, y, std::max(largeur, 1), std::max(hauteur, 1));
    setText(platform::VersQString(texte));
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    if (toutSelectionner) {
        selectAll();
    } else {
        end(false);
    }
}

void QtBoiteEdition::Placer(int x, int y, int largeur, int hauteur) {
    setGeometry(x, y, std::max(largeur, 1), std::max(hauteur, 1));
}

void QtBoiteEdition::Fermer() {
    hide();
    if (parentWidget()) parentWidget()->setFocus(Qt::OtherFocusReason);
}

std::string QtBoiteEdition::Texte() const { return platform::DepuisQString(text()); }

void QtBoiteEdition::TexteFixer(std::string_view texte) { setText(platform::VersQString(texte)); }

int QtBoiteEdition::SelectionDebut() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

int QtBoiteEdition::SelectionLongueur() const { return hasSelectedText() ? selectionLength() : 0; }

void QtBoiteEdition::SelectionFixer(int debut, int longueur) {
    if (longueur > 0) {
        setSelection(debut, longueur);
    } else {
        setCursorPosition(debut);
    }
}

void QtBoiteEdition::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    // Told once the event being handled is over: the key that opened the
    // box is still the main window's and reaches the box through it.
    QTimer::singleShot(0, this, [this] {
        if (focus_) focus_();
    });
}

void QtBoiteEdition::keyPressEvent(QKeyEvent* e) {
    int touche = 0;
    if (e->key() == Qt::Key_Tab) touche = 9;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) touche = 13;
    if (touche != 0 && fin_) {
        // The handler may close the box; keep nothing of it after the call.
        const auto fin = fin_;
        fin(touche);
        return;
    }
    QLineEdit::keyPressEvent(e);
}

}  // namespace korv::plan
