#pragma once
// The rich-text toolbars and the writing panel as Qt widgets: a toolbar
// shows the state its `BarresRTF` keeps and hands the user's clicks and
// typing to it; the writing panel holds toolbar 0 above the writing box.

#include <functional>

#include <QTextEdit>
#include <QWidget>

#include "plan/panneau_redaction.h"
#include "plan/qt_boite_riche.h"

class QComboBox;
class QToolButton;

namespace korv::plan {

class BarresRTF;

class QtBarreRTF final : public QWidget {
public:
    QtBarreRTF(BarresRTF& barres, int n, QWidget* parent);
    // Shows the state again, without raising the controls' own events.
    void Montrer();

private:
    QToolButton* Bouton(const QString& texte, const QString& bulle, std::function<void()> enfonce);
    BarresRTF& barres_;
    int n_;
    QComboBox* police_ = nullptr;
    QComboBox* taille_ = nullptr;
    QToolButton *gras_ = nullptr, *italique_ = nullptr, *souligne_ = nullptr;
    QToolButton *gauche_ = nullptr, *centre_ = nullptr, *droite_ = nullptr;
    QToolButton* couleur_ = nullptr;
    int policesMontrees_ = -1;
};

// The writing box: a text editor that is a rich-text box.
class QtTexteRiche final : public QTextEdit, public BoiteRicheQt {
public:
    QtTexteRiche(QWidget* parent, std::int32_t twipsParPixel);
    bool Verrouille() const override { return isReadOnly(); }
    void VerrouilleFixer(bool v) override { setReadOnly(v); }
    bool Visible() const override { return isVisible(); }
    void FocusDonner() override { setFocus(Qt::OtherFocusReason); }
    bool AFocus() const override { return isVisible() && hasFocus(); }
    void Copier() override { copy(); }
    void Coller() override { paste(); }
    void SurEvenement(std::function<void(EvenementRiche)> appel) override { appel_ = std::move(appel); }

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    QTextDocument& Doc() const override { return *document(); }
    QTextCursor Curseur() const override { return textCursor(); }
    void CurseurFixer(const QTextCursor& c) override { setTextCursor(c); }

private:
    void Dire(EvenementRiche e) {
        if (appel_) appel_(e);
    }
    std::function<void(EvenementRiche)> appel_;
};

class QtPanneauRedaction final : public QWidget, public PanneauRedaction {
public:
    QtPanneauRedaction(QWidget* surface, std::int32_t twipsParPixel);
    // Toolbar 0, once the toolbars exist.
    void Brancher(BarresRTF& barres);
    BoiteTexteRiche& Boite() override { return *texte_; }
    void Placer(int x, int y, int largeur, int hauteur) override;
    void Montrer(bool visible) override;
    bool EstVisible() const override { return isVisible(); }
    // Toolbar 0 shown or hidden: the box takes the room left.
    void Disposer();
    QtBarreRTF* Barre() { return barre_; }

private:
    BarresRTF* barres_ = nullptr;
    QtBarreRTF* barre_ = nullptr;
    QtTexteRiche* texte_;
};

}  // namespace korv::plan
