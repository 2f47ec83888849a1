#include "plan/qt_boite_edition.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

#include "plan/qt_touches.h"
#include "platform/colour_dialog.h"
#include "platform/qt_cp1252.h"

namespace korv::plan {

QtBoiteEdition::QtBoiteEdition(QWidget* surface, std::int32_t tpp) : QTextEdit(surface), BoiteRicheQt(tpp) {
    setFrameStyle(QFrame::NoFrame);
    setAcceptRichText(false);
    setTabChangesFocus(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    // A box as small as a cell: no bars, the text close to the edges.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(1);
    QObject::connect(this, &QTextEdit::cursorPositionChanged, this, [this] { Dire(EvenementRiche::SelectionChange); });
    // What the user types beyond the limit is taken back.
    QObject::connect(this, &QTextEdit::textChanged, this, [this] {
        const int trop = Longueur() - longueurMax_;
        if (longueurMax_ <= 0 || trop <= 0 || isReadOnly()) return;
        QTextCursor c = textCursor();
        const int fin = c.position();
        c.setPosition(std::max(fin - trop, 0));
        c.setPosition(fin, QTextCursor::KeepAnchor);
        c.removeSelectedText();
        setTextCursor(c);
    });
    hide();
}

void QtBoiteEdition::Ouvrir(int x, int y, int largeur, int hauteur, std::string_view texte, std::string_view police,
                            int taille, bool toutSelectionner) {
    QFont f(platform::VersQString(police));
    f.setPointSize(taille);
    document()->setDefaultFont(f);
    setFont(f);
    setGeometry(x, y, std::max(largeur, 1), std::max(hauteur, 1));
    TexteFixer(texte);
    setReadOnly(false);
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    if (toutSelectionner) {
        selectAll();
    } else {
        moveCursor(QTextCursor::End);
    }
}

void QtBoiteEdition::Placer(int x, int y, int largeur, int hauteur) {
    setGeometry(x, y, std::max(largeur, 1), std::max(hauteur, 1));
}

void QtBoiteEdition::Fermer() {
    hide();
    setReadOnly(true);
    if (parentWidget()) parentWidget()->setFocus(Qt::OtherFocusReason);
}

void QtBoiteEdition::FondFixer(std::int32_t couleur) {
    const platform::Rvb c = platform::DepuisColorref(couleur);
    QPalette p = palette();
    p.setColor(QPalette::Base, QColor(c.rouge, c.vert, c.bleu));
    setPalette(p);
}

void QtBoiteEdition::TexteFixer(std::string_view texte) {
    QString t = platform::VersQString(texte);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // A plain text in the box's font, whatever a rich text left behind.
    document()->clear();
    QTextCharFormat neutre;
    neutre.setFont(document()->defaultFont());
    QTextCursor c(document());
    c.setBlockFormat(QTextBlockFormat());
    c.setCharFormat(neutre);
    c.insertText(t);
    setTextCursor(c);
    setCurrentCharFormat(neutre);
    // The text given is no edit of the user's: Ctrl+Z stops at it, else it
    // would empty the box and the cell would take the empty text.
    document()->clearUndoRedoStacks();
}

void QtBoiteEdition::focusInEvent(QFocusEvent* e) {
    QTextEdit::focusInEvent(e);
    // Told once the event being handled is over: the key that opened the
    // box is still the main window's and reaches the box through it.
    QTimer::singleShot(0, this, [this] {
        if (focus_) focus_();
        Dire(EvenementRiche::FocusEntree);
    });
}

void QtBoiteEdition::focusOutEvent(QFocusEvent* e) {
    QTextEdit::focusOutEvent(e);
    if (perte_) perte_();
    Dire(EvenementRiche::FocusPerte);
}

void QtBoiteEdition::keyPressEvent(QKeyEvent* e) {
    if (touche_) {
        // The handler may close the box; keep nothing of it after the call.
        const auto touche = touche_;
        if (touche(CodeToucheVirtuelle(*e), EtatMaj(e->modifiers()))) return;
    }
    if (e->key() == Qt::Key_Backtab) return;
    // Escape is the window's: its quit question.
    if (e->key() == Qt::Key_Escape) {
        e->ignore();
        return;
    }
    QTextEdit::keyPressEvent(e);
}

}  // namespace korv::plan
