#pragma once
// The headless play driver on the program's own composition: the real
// engine, page display, scripts, trigger dispatch and plan state, with only
// the platform edge faked (clock, pump, message boxes, dialogs, settings,
// launcher, URL opener, the main window and its page surface).

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <functional>
#include <memory>

#include <QApplication>
#include <QImage>

#include "display/fenetre.h"
#include "platform/clipboard_fake.h"
#include "platform/edit_box_fake.h"
#include "platform/grid_scroll_timer.h"
#include "platform/grid_tooltip_timer.h"
#include "platform/tooltip.h"
#include "platform/font_catalogue.h"
#include "platform/settings_fake.h"
#include "plan/document/document_plan.h"
#include "plan/entree_page.h"
#include "platform/fichiers_document.h"
#include "plan/boite_methode.h"
#include "plan/panneau_redaction.h"
#include "plan/qt_boite_riche.h"
#include "platform/colour_dialog_fake.h"
#include "print/apercu.h"
#include "programme/programme.h"
#include "rtf/lecteur.h"
#include "rtf/qt_document.h"
#include "support/pilote_jeu.h"

namespace korv::testsupport {

// The one QApplication of the test program (fonts need one).
inline QApplication& ApplicationProgramme() {
    static QApplication* application = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char nom[] = "programme_tests";
        static char* argv[] = {nom, nullptr};
        return new QApplication(argc, argv);
    }();
    return *application;
}

// The main window's page frame as the display sees it: a size the test
// sets (twips), the last layout applied, the page image shown, and the
// progress window's calls.
class FenetreAffichageFactice final : public display::FenetreAffichage {
public:
    display::MesuresFenetre Mesures() const override { return mesures; }
    void Appliquer(const display::DispositionFenetre& d) override { disposition = d; }
    void MontrerPage(const QImage* image) override { page = image; }
    void Rafraichir(const QRect&) override { ++rafraichissements; }
    void MessageOuvrir(std::string_view titre, std::string_view) override {
        progression.push_back("ouvre " + std::string(titre));
        progressionOuverte = true;
    }
    void MessagePourcentage(std::int32_t valeur) override { progression.push_back(std::to_string(valeur)); }
    void MessageFermer() override {
        progression.push_back("ferme");
        progressionOuverte = false;
    }

    display::MesuresFenetre mesures{0, 0, 9600, 7200};
    display::DispositionFenetre disposition;
    const QImage* page = nullptr;
    int rafraichissements = 0;
    std::vector<std::string> progression;
    bool progressionOuverte = false;
};

// The main window as the plan document changes it.
class FenetreDocumentFactice final : public plan::FenetreDocument {
public:
    void Legende(std::string_view texte) override { legende = std::string(texte); }
    void EnregistrerActif(bool actif) override { enregistrerActif = actif; }
    // The page frame takes the focus from the boxes, as the window's would.
    void FocusPage() override {
        ++focusPage;
        if (pageFocus) pageFocus();
    }
    std::function<void()> pageFocus;
    std::string legende;
    bool enregistrerActif = false;
    int focusPage = 0;
};

// Plan documents on the real disk, with a write failure to inject: once
// `echecApres` bytes are written (when set), every write fails; `apresOctets`
// runs when that many bytes have gone out (a crash in the middle).
class FichiersDocumentTest final : public platform::FichiersDocumentDisque {
public:
    std::optional<std::size_t> echecApres;
    std::size_t ecrits = 0;

protected:
    ssize_t EcrireMorceau(int fd, const char* octets, std::size_t n) override {
        if (echecApres) {
            if (ecrits >= *echecApres) {
                errno = ENOSPC;
                return -1;
            }
            n = std::min(n, *echecApres - ecrits);
        }
        const ssize_t r = platform::FichiersDocumentDisque::EcrireMorceau(fd, octets, n);
        if (r > 0) ecrits += static_cast<std::size_t>(r);
        return r;
    }
};

// The writing panel without a window: where it was placed, whether it is
// shown, and its box, which a test types into.
class PanneauRedactionFactice final : public plan::PanneauRedaction {
public:
    plan::BoiteTexteRiche& Boite() override { return boite; }
    void Placer(int x_, int y_, int l, int h) override { x = x_, y = y_, largeur = l, hauteur = h; }
    void Montrer(bool v) override {
        visible = v;
        boite.VisibleFixer(v);
    }
    bool EstVisible() const override { return visible; }

    plan::BoiteRicheDocument boite;
    int x = 0, y = 0, largeur = 0, hauteur = 0;
    bool visible = false;
};

// A method-text box without a window: its place, whether it is shown, its
// text.
class BoiteMethodeFactice final : public plan::BoiteMethode {
public:
    plan::BoiteTexteRiche& Boite() override { return boite; }
    void Placer(int x_, int y_, int l, int h) override { x = x_, y = y_, largeur = l, hauteur = h; }
    int Hauteur() const override { return hauteur; }
    void Montrer(bool v) override {
        visible = v;
        boite.VisibleFixer(v);
    }
    bool EstVisible() const override { return visible; }
    // Laid out as the page display lays rich texts out, scrolled.
    int PositionAuPoint(int px, int py) const override {
        const std::optional<rtf::Document> d = rtf::LireTexteRiche(boite.TexteRtf());
        if (!d) return -1;
        const std::int32_t brute = rtf::PositionAuPoint(*d, largeur, 0, -1, px - x, py - y + defilement, 15);
        return brute < 0 ? -1 : rtf::PositionDocumentQt(*d, brute);
    }
    void Defiler(int y_) override { defilement = y_; }

    plan::BoiteRicheDocument boite;
    int x = 0, y = 0, largeur = 0, hauteur = 0, defilement = 0;
    bool visible = false;
};

// Scripted input delivered the way the main window hands it over.
class EntreeFenetre final : public EntreeJeu {
public:
    explicit EntreeFenetre(plan::RecepteurPage& recepteur) : recepteur_(recepteur) {}
    void Souris(int genre, int bouton, int maj, int x, int y) override {
        // A move reaches the tooltip's rule first, as the page surface hands it.
        if (genre == plan::kSourisDeplace) recepteur_.DeplacementBulle();
        recepteur_.Souris(genre, bouton, maj, x, y);
    }
    void Touche(int code, int maj) override {
        recepteur_.ToucheEnfoncee(code, maj);
        recepteur_.ToucheRelachee(code, maj);
    }
    void Frappe(int code, int maj, int caractere) override {
        recepteur_.ToucheEnfoncee(code, maj);
        recepteur_.ToucheCaractere(caractere);
        recepteur_.ToucheRelachee(code, maj);
    }

private:
    plan::RecepteurPage& recepteur_;
};

// The preview window's modal hook: records each opening, activates the
// window (which paginates) and then runs the test's answer, if any.
class ApercuFactice final : public print::FenetreApercu {
public:
    void Montrer(print::ContexteApercu& c) override {
        ++ouvertures;
        prepareAvant = c.travail.ApercuPrepare;
        pages = c.paginer();
        if (reponse) reponse(c);
    }
    int ouvertures = 0;
    bool prepareAvant = false;
    std::int32_t pages = -1;
    std::function<void(print::ContexteApercu&)> reponse;
};

class PiloteProgramme : public PiloteJeu {
public:
    // The printer and the text measurer of the platform (the program's own
    // over Qt, for a print to a PDF file); none: the composition's fixed page.
    explicit PiloteProgramme(print::Imprimante* imprimante = nullptr, print::MesureurTexte* mesureur = nullptr) {
        ApplicationProgramme();
        auto parties = std::make_shared<Parties>();
        Parties& p = *parties;
        Composer([this, parties, imprimante, mesureur](engine::Moteur& moteur) {
            const Bord bord = BordPlateforme();
            programme::Plateforme plateforme;
            plateforme.horloge = bord.horloge;
            plateforme.pompe = bord.pompe;
            plateforme.messages = bord.messages;
            plateforme.dialogues = bord.dialogues;
            plateforme.lanceur = bord.lanceur;
            plateforme.navigateur = bord.navigateur;
            plateforme.fenetre = bord.fenetre;
            plateforme.reglages = &parties->reglages;
            plateforme.fenetreAffichage = &parties->fenetre;
            plateforme.polices = &parties->polices;
            plateforme.pressePapier = &parties->pressePapier;
            plateforme.boiteEdition = &parties->boiteEdition;
            plateforme.boiteEditionRiche = &parties->boiteEditionRiche;
            plateforme.redaction = &parties->redaction;
            plateforme.texteMethode = &parties->texteMethode;
            plateforme.menuSav = &parties->menuSav;
            plateforme.couleur = &parties->couleur;
            plateforme.chronoDefilement = &parties->chronoDefilement;
            plateforme.chronoBulle = &parties->chronoBulle;
            plateforme.bulle = &parties->bulle;
            plateforme.fenetreDocument = &parties->fenetreDocument;
            parties->fenetreDocument.pageFocus = [pp = parties.get()] {
                pp->boiteEdition.PerdreFocus();
                pp->redaction.boite.PerdreFocus();
            };
            plateforme.fichiers = &parties->fichiers;
            plateforme.apercu = &parties->apercu;
            plateforme.imprimante = imprimante;
            plateforme.mesureur = mesureur;
            plateforme.dossierCache = DossierProgramme() + "/cache";
            parties->programme = std::make_unique<programme::Programme>(moteur, plateforme);
            parties->entree = std::make_unique<EntreeFenetre>(parties->programme->Recepteur());
            return std::static_pointer_cast<void>(parties);
        });
        parties_ = &p;
        BrancherEntree(p.entree.get());
    }

    programme::Programme& Programme() { return *parties_->programme; }
    FenetreAffichageFactice& FenetreAffichage() { return parties_->fenetre; }
    platform::MagasinReglagesFactice& Reglages() { return parties_->reglages; }
    platform::PressePapierFactice& PressePapier() { return parties_->pressePapier; }
    platform::BoiteEditionFactice& BoiteEdition() { return parties_->boiteEdition; }
    // The edit box's rich text (the edit of a rich-text object).
    plan::BoiteRicheDocument& BoiteEditionRiche() { return parties_->boiteEditionRiche; }
    PanneauRedactionFactice& Redaction() { return parties_->redaction; }
    BoiteMethodeFactice& TexteMethode() { return parties_->texteMethode; }
    BoiteMethodeFactice& MenuSav() { return parties_->menuSav; }
    platform::DialogueCouleurFactice& DialogueCouleur() { return parties_->couleur; }
    platform::CataloguePolicesFactice& Polices() { return parties_->polices; }
    platform::ChronoDefilementTableauFactice& ChronoDefilement() { return parties_->chronoDefilement; }
    platform::ChronoBulleTableauFactice& ChronoBulle() { return parties_->chronoBulle; }
    platform::FenetreBulleFactice& Bulle() { return parties_->bulle; }
    FenetreDocumentFactice& FenetreDocument() { return parties_->fenetreDocument; }
    FichiersDocumentTest& Fichiers() { return parties_->fichiers; }
    ApercuFactice& Apercu() { return parties_->apercu; }

private:
    struct Parties {
        FenetreAffichageFactice fenetre;
        platform::MagasinReglagesFactice reglages;
        platform::CataloguePolicesFactice polices;
        platform::PressePapierFactice pressePapier;
        platform::BoiteEditionFactice boiteEdition;
        plan::BoiteRicheDocument boiteEditionRiche;
        PanneauRedactionFactice redaction;
        BoiteMethodeFactice texteMethode;
        BoiteMethodeFactice menuSav;
        platform::DialogueCouleurFactice couleur;
        platform::ChronoDefilementTableauFactice chronoDefilement;
        platform::ChronoBulleTableauFactice chronoBulle;
        ApercuFactice apercu;
        platform::FenetreBulleFactice bulle;
        FenetreDocumentFactice fenetreDocument;
        FichiersDocumentTest fichiers;
        std::unique_ptr<programme::Programme> programme;
        std::unique_ptr<EntreeFenetre> entree;
    };
    Parties* parties_ = nullptr;
};

}  // namespace korv::testsupport
