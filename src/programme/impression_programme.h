#pragma once
// The print job of the program: the print functions of scripts reach the
// job of the print library, which reads the scene's objects, copies its
// grids and charts and measures texts on the platform's printer. The
// export functions go to the export run (`ExportationProgramme`), which
// reads the scene through the same sources; the written plan, its table of
// contents and the current page's print and export go through the method's
// driver.

#include <cstdint>
#include <functional>
#include <initializer_list>
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
namespace korv::formula {
class BoiteSommaire;
}
namespace korv::plan {
class MethodeEtapes;
class RedactionImprimee;
}  // namespace korv::plan
namespace korv::print {
class SourcesExport;
class Imprimante;
class MesureurTexte;
class FenetreApercu;
}  // namespace korv::print

namespace korv::programme {

class ExportationProgramme;

class ImpressionProgramme final : public formula::TravailImpression {
public:
    ImpressionProgramme(engine::Moteur& moteur, grid::MagasinGrilles& magasin, display::AffichagePage& affichage,
                        platform::BoiteMessage* messages, print::Imprimante& imprimante,
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
    void SommaireMettreAJour(int page, int objet, std::int16_t numeros) override;

    // What the written plan needs of the plan layer.
    struct Plan {
        plan::MethodeEtapes* etapes = nullptr;
        // `PlanAffaireEditionValider`: the edit in progress ended and stored.
        std::function<void()> editionValider;
        // `RedactionTexteSauver`: the writing box stored where a source says.
        std::function<void(std::string_view)> redactionSauver;
    };
    void Brancher(Plan plan);
    // "Imprimer cette page" and "Exporter cette page au format RTF".
    void PageCouranteImprimer();
    void PageCouranteExporteRTF();
    // The table-of-contents box that TEXTERECHERCHEPAGE searches.
    formula::BoiteSommaire& BoiteSommaire();

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
    // Runs each script on the current page in `mode`, then sets mode 0 and
    // shows the page again.
    void ScriptsPageCourante(std::initializer_list<std::string_view> scripts, std::int16_t mode);
    void Message(std::string_view texte);
    ExportationProgramme& Exportation();
    class Sources;
    class Sommaire;

    engine::Moteur& moteur_;
    grid::MagasinGrilles& magasin_;
    display::AffichagePage& affichage_;
    platform::BoiteMessage* messages_;
    print::Imprimante& imprimante_;
    print::MesureurTexte& mesureur_;
    print::FenetreApercu* apercu_ = nullptr;
    ExportationProgramme* exportation_ = nullptr;
    print::ImpressionTravail travail_;
    std::unique_ptr<Sources> sources_;
    print::AjoutObjets ajout_;
    Plan plan_;
    std::unique_ptr<plan::RedactionImprimee> redaction_;
    std::unique_ptr<Sommaire> sommaire_;
};

}  // namespace korv::programme
