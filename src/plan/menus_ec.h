#pragma once
// The main window's menu tree as the window defines it: control names,
// captions (Windows-1252 bytes, "-" for a separator), display order and
// initial states. The engine's menus come first; the play loop hides them
// and shows the plan menus.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/services.h"

namespace korv::plan {

enum class EtatMenu : std::uint8_t { Normal, Inactif, Cache };

struct ElementMenu {
    int niveau = 1;  // 1 a menu of the bar, 2 an item of the menu before it
    std::string nom;
    std::string legende;
    EtatMenu etat = EtatMenu::Normal;

    bool EstSeparateur() const { return legende == "-"; }
};

const std::vector<ElementMenu>& ArbreMenus();

// Control name of a menu the engine drives.
std::string_view NomMenu(engine::Menu menu) noexcept;

// Names of the items with a command of their own now.
inline constexpr std::string_view kMenuQuitter = "MnuQuitter";
inline constexpr std::string_view kMenuPlanQuitter = "OrvMnu8";
inline constexpr std::string_view kMenuAPropos = "Orvmnu12";
inline constexpr std::string_view kMenuCopier = "MnuOrvCopier";
inline constexpr std::string_view kMenuColler = "MnuOrvColler";
inline constexpr std::string_view kMenuConfigImprimante = "OrvMnuConfigPrint";
inline constexpr std::string_view kMenuNouveauPlan = "Orvmnu1";
inline constexpr std::string_view kMenuOuvrirPlan = "OrvMnu2";
inline constexpr std::string_view kMenuEnregistrerSous = "OrvMnu4";
inline constexpr std::string_view kMenuEnregistrer = "OrvMnu5";
inline constexpr std::string_view kMenuExporter = "OrvMnuExporter";
inline constexpr std::string_view kMenuImprimer = "OrvMnuImprimer";
inline constexpr std::string_view kMenuExporterPageRtf = "MnuExporterPageRTF";
inline constexpr std::string_view kMenuImprimerPage = "MnuOrvImprimerPage";
inline constexpr std::string_view kMenuAfficherPlan = "MnuOrvAfficherPlan";
inline constexpr std::string_view kMenuJeuArreter = "MnuJeuArreter";

}  // namespace korv::plan
