#include "engine/scene_charge.h"

#include <fstream>
#include <iterator>
#include <string>

#include "engine/fichier_nom.h"
#include "engine/scene_fichier.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "platform/path_resolver.h"

namespace korv::engine {

namespace {

namespace style = platform::style;

int Message(const ServicesChargement& s, std::string_view texteUtf8, int st) {
    if (!s.messages) return st == style::OuiNon ? platform::Code(platform::Reponse::Non) : 1;
    return s.messages->Afficher(platform::Utf8VersCp1252(texteUtf8), st);
}

// i * 100 / n as a whole percentage, rounded half to even like every
// integer conversion of the program (12.5 gives 12, 37.5 gives 38).
int PourcentArrondi(int i, int n) {
    const int quotient = i * 100 / n;
    const int reste2 = 2 * (i * 100 % n);
    if (reste2 > n || (reste2 == n && quotient % 2 != 0)) return quotient + 1;
    return quotient;
}

// Names as loading leaves them: absolute against the scene folder; a name
// that resolves to a folder becomes empty.
void RendAbsolus(Scene& scene) {
    const std::string& base = scene.entete.repertoireScene;
    for (auto& page : scene.pages) {
        for (auto& o : page.objets) {
            if (o.fichier.empty()) continue;
            o.fichier = NomFichierAbsolu(o.fichier, base);
            if (!o.fichier.empty() && o.fichier.back() == '\\') o.fichier.clear();
        }
    }
    scene.entete.fichierPalette = NomFichierAbsolu(scene.entete.fichierPalette, base);
}

}  // namespace

std::string MessageEchecScene(const SceneInvalide& e) {
    switch (e.echec()) {
    case EchecScene::PasUneScene: return e.what();
    case EchecScene::VersionRefusee: return {};  // the user said no: nothing more to tell
    case EchecScene::Endommagee:
        return std::string("Ce fichier de scène est endommagé : ") + e.what() + ".\r\nImpossible de charger la scène.";
    }
    return e.what();
}

bool SceneCharge(Scene& scene, std::string_view chemin, const ServicesChargement& services) {
    const auto fichier = platform::ResoudreChemin(chemin);
    if (!FileExist(chemin) || !fichier) {
        Message(services, "Fichier inexistant", style::Ok);
        return false;
    }
    std::string octets;
    {
        std::ifstream in(*fichier, std::ios::binary);
        octets.assign(std::istreambuf_iterator<char>(in), {});
        if (!in && !in.eof()) {
            Message(services, "Lecture impossible du fichier de scène.", style::Ok | style::Critique);
            return false;
        }
    }

    OptionsLecture options;
    options.accepterVersionInconnue = [&services](std::int32_t) {
        return Message(services,
                       "Ce format de fichier ne correspond pas à cette version du programme. "
                       "Voulez-vous continuer quand même ?",
                       style::OuiNon) == platform::Code(platform::Reponse::Oui);
    };
    options.progression = [&services](int i, int n) {
        if (services.progression && n > 0) services.progression(PourcentArrondi(i, n));
    };

    Scene nouvelle;
    try {
        nouvelle = LitScene({reinterpret_cast<const std::uint8_t*>(octets.data()), octets.size()}, options);
    } catch (const SceneInvalide& e) {
        const std::string message = MessageEchecScene(e);
        if (!message.empty()) Message(services, message, style::Ok | style::Critique);
        return false;
    }

    const auto ancienneLargeur = scene.entete.pageLargeur;
    const auto ancienneHauteur = scene.entete.pageHauteur;
    const auto ancienneDisposition = scene.entete.octetDisposition;

    nouvelle.entete.reserve5[8] = 0;
    nouvelle.entete.reserve5[9] = 0;
    nouvelle.entete.cheminScene = std::string(chemin);
    nouvelle.entete.repertoireScene = FichierNomChemin(chemin);
    RendAbsolus(nouvelle);
    scene = std::move(nouvelle);
    if (services.initialiseListeLangues) services.initialiseListeLangues(scene);
    if (services.construireGrilles) services.construireGrilles(scene);

    const auto& h = scene.entete;
    if (h.octetDisposition == 0 || h.pageLargeur != ancienneLargeur || h.pageHauteur != ancienneHauteur ||
        h.octetDisposition != ancienneDisposition) {
        if (services.majTailleFenetre) services.majTailleFenetre();
    }
    return true;
}

}  // namespace korv::engine
