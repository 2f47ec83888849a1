#pragma once
// The print job of the program: the print functions of scripts reach the
// job of the print library, which reads the scene's objects, copies its
// grids and charts and measures texts on the platform's printer. The
// export functions go to the export run (`ExportationProgramme`), which
// reads the scene through the same sources; the method driver and the
// table of contents are still the stand-in's.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "formula/travail_impression.h"
#include "print/ajout_objets.h"
#include "print/travail.h"

namespace korv::engine {
class Moteur;
}
namespace korv::grid {
class MagasinGrilles;
}
namespace korv::display {
class AffichagePage;
}
namespace korv::platform {
class BoiteMessage;
}
namespace korv::print {
class SourcesExport;
class Imprimante;
class MesureurTexte;
class FenetreApercu;
}  // namespace korv::print

namespace korv::programme {

class ImpressionAVenir;
class ExportationProgramme;

class ImpressionProgramme final : public formula::TravailImpression {
public:
    ImpressionProgramme(engine::Moteur& moteur, grid::MagasinGrilles& magasin, display::AffichagePage& affichage,
                        ImpressionAVenir& reste, platform::BoiteMessage* messages, print::Imprimante& imprimante,
                        print::MesureurTexte& mesureur);
    ~ImpressionProgramme() override;

    void ImprimePrepareDebut(std::uint8_t mode) override;
    void ImprimeMargesFixe(double gauche, double haut, double droite, double bas, double pied,
                           double entete) override;
    void ImprimeEnTeteFixe(std::string_view texte, bool affiche, bool premierePage) override;
    void ImprimePiedDePageFixe(std::string_view texte, bool affiche, bool premierePage) override;
    void ImpressionPremierNumeroFixe(std::int32_t numero) override { travail_.PremierNumero = numero; }
    void ApercuDejaPrepare(bool prepare) override { travail_.ApercuPrepare = prepare; }
    void ImprimeAjouteObjet(int page, int objet, std::string_view texte,
                            std::span<const formula::Valeur> options) override;
    void ImprimeAjoutePage(std::uint8_t argument) override;
    // Until the preview window exists, the job is paginated here, headless.
    void Imprime() override;
    void MessageFenetreFerme() override;
    std::int16_t Mode() const override { return travail_.ModeImpressionExport; }

    void ExportationFenetreOuvre(std::int16_t mode) override;
    void ExporteTextesOuTableaux(std::int16_t option) override;
    void MethodeTextesExporte(std::string_view texte) override;
    void TexteRTFInsereTableaux(int page, int objet, bool rtf) override;
    void RedactionImprimeExporte(std::string_view variante, bool exporte) override;
    std::int16_t NumeroEtape(std::string_view code) override;
    void EtapeImprimeExporte(std::int16_t etape, bool exporte) override;
    void SommaireMettreAJour(int page, int objet, std::int16_t niveau) override;

    const print::ImpressionTravail& Travail() const { return travail_; }
    print::Imprimante& Imprimante() { return imprimante_; }
    void DefinirApercu(print::FenetreApercu* apercu) { apercu_ = apercu; }
    // The export run the export functions reach, and what it reads.
    void DefinirExportation(ExportationProgramme& exportation) { exportation_ = &exportation; }
    print::SourcesExport& SourcesExport();
    print::ImpressionTravail& TravailModifiable() { return travail_; }
    // The font tagged texts start in when they are exported.
    void PoliceTexteBalise(std::string police);

private:
    // Paginates once per job, headless; a pagination error is shown.
    void Paginer();
    ExportationProgramme& Exportation();
    class Sources;

    engine::Moteur& moteur_;
    display::AffichagePage& affichage_;
    ImpressionAVenir& reste_;
    platform::BoiteMessage* messages_;
    print::Imprimante& imprimante_;
    print::MesureurTexte& mesureur_;
    print::FenetreApercu* apercu_ = nullptr;
    ExportationProgramme* exportation_ = nullptr;
    print::ImpressionTravail travail_;
    std::unique_ptr<Sources> sources_;
    print::AjoutObjets ajout_;
};

}  // namespace korv::programme
