#pragma once
// The preview window of the program: the tool band (print, close, the page
// box and bar with the page count, the zoom box), the page shown at the zoom
// with its own scroll bars in 10-twip units, and the print button that asks
// which pages go to the printer.

#include <QDialog>

#include "print/apercu.h"
#include "print/qt_peinture.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace korv::print {

class QtImprimante;

// The window itself; tests build it without showing it modally.
class QtFenetreApercu final : public QDialog {
public:
    QtFenetreApercu(QWidget* parent, ContexteApercu& contexte, QtImprimante& imprimante,
                    DessinGraphique graphique, std::int32_t twipsParPixel = 15);

    // The first activation: paginates; a job of no pages closes the window.
    void Activer();
    // Lays the window out for its size and the zoom box, and repaints.
    void Disposer();
    // The page shown, as painted into the visible page.
    void PeindreAffichage(QPainter& p) const;

    QPushButton* Imprimer() const { return command1_; }
    QPushButton* Fermer() const { return fermer_; }
    QLineEdit* NumeroPage() const { return numero_; }
    QScrollBar* BarrePages() const { return pages_; }
    QLabel* NombrePages() const { return nombre_; }
    QComboBox* Zoom() const { return zoom_; }
    QWidget* Affichage() const { return affichage_; }
    QScrollBar* BarreHorizontale() const { return horizontale_; }
    QScrollBar* BarreVerticale() const { return verticale_; }
    QFrame* Outils() const { return outils_; }
    QWidget* Coin() const { return coin_; }
    // What the last layout computed.
    const DispositionApercu& Disposition() const { return disposition_; }
    // The layout's view of the window now, in twips.
    MesuresApercu Mesures() const;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void Repeindre();
    void ImprimerPlage();

    ContexteApercu& contexte_;
    QtImprimante& imprimante_;
    DessinGraphique graphique_;
    std::int32_t tpp_;
    bool active_ = false;
    DispositionApercu disposition_;
    QFrame* outils_;
    QPushButton* command1_;
    QPushButton* fermer_;
    QLineEdit* numero_;
    QScrollBar* pages_;
    QLabel* nombre_;
    QComboBox* zoom_;
    QWidget* affichage_;
    QScrollBar* horizontale_;
    QScrollBar* verticale_;
    QWidget* coin_;
};

class QtApercu final : public FenetreApercu {
public:
    QtApercu(QWidget* parent, QtImprimante& imprimante, DessinGraphique graphique)
        : parent_(parent), imprimante_(imprimante), graphique_(std::move(graphique)) {}
    void Montrer(ContexteApercu& contexte) override;

private:
    QWidget* parent_;
    QtImprimante& imprimante_;
    DessinGraphique graphique_;
};

}  // namespace korv::print
