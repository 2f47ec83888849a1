#pragma once
// Charts on the page: the kind routine of chart objects (kind 14). Each
// chart object gets its own chart model on its first drawing, found from
// the two grid names of its text; the model is drawn with Qt Charts into
// the page buffer inside the object's rectangle.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>

class QImage;
class QRect;

namespace korv::grid {
struct EnvironnementGraphique;
class GraphiqueClasse;
class TableauClasse;
struct ContenuGraphique;
}  // namespace korv::grid

namespace korv::display {

class AffichagePage;

// Draws a chart model into `cible` inside `rect` (pixels): an offscreen
// scene holding the chart, rendered without antialiasing, numbers in the
// French format; `imagePoints` is the points' picture, when the model asks
// for one.
void GraphiqueDessiner(const grid::ContenuGraphique& contenu, QImage& cible, const QRect& rect,
                       const QImage& imagePoints);
void GraphiqueDessiner(const grid::ContenuGraphique& contenu, QImage& cible, const QRect& rect);

class GraphiquesPage {
public:
    // `grille` gives the grid of a page object, or null.
    GraphiquesPage(AffichagePage& affichage, std::function<grid::TableauClasse*(int page, int objet)> grille);
    ~GraphiquesPage();
    GraphiquesPage(const GraphiquesPage&) = delete;
    GraphiquesPage& operator=(const GraphiquesPage&) = delete;

    // Hooks the kind routine and the forgetting of every chart into the display.
    void Brancher();

    // `ObjetGraphiqueDessine`: rectangle in twips (width and height less one pixel).
    void ObjetGraphiqueDessine(int page, int objet, std::int32_t gauche, std::int32_t haut, std::int32_t w,
                               std::int32_t h);
    // `GraphiquesEffacerTous`: every chart object ends; the next drawing makes new ones.
    void GraphiquesEffacerTous();
    // A script's refresh: the chart reads its grids again and draws itself
    // at its rectangle; a chart not drawn yet is drawn (and so made).
    void GraphiqueRafraichir(int page, int objet);

    // The chart of an object, or null before its first drawing.
    const grid::GraphiqueClasse* Graphique(int page, int objet) const;

private:
    grid::EnvironnementGraphique Environnement();
    void Affiche(const grid::GraphiqueClasse& g);

    AffichagePage& a_;
    std::function<grid::TableauClasse*(int page, int objet)> grille_;
    std::map<std::pair<int, int>, std::unique_ptr<grid::GraphiqueClasse>> graphiques_;
};

}  // namespace korv::display
