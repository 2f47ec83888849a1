#include "platform/message_box.h"

#include <algorithm>
#include <array>

namespace korv::platform {

namespace {

constexpr std::array kOk = {Reponse::Ok};
constexpr std::array kOkAnnuler = {Reponse::Ok, Reponse::Annuler};
constexpr std::array kAbandonner = {Reponse::Abandonner, Reponse::Reessayer, Reponse::Ignorer};
constexpr std::array kOuiNonAnnuler = {Reponse::Oui, Reponse::Non, Reponse::Annuler};
constexpr std::array kOuiNon = {Reponse::Oui, Reponse::Non};
constexpr std::array kReessayer = {Reponse::Reessayer, Reponse::Annuler};

}  // namespace

bool StyleDecode::Accepte(int code) const {
    return std::any_of(boutons.begin(), boutons.end(), [code](Reponse r) { return Code(r) == code; });
}

StyleDecode DecodeStyle(int style) noexcept {
    StyleDecode d;
    switch (style & 0x0F) {
        case style::OkAnnuler: d.boutons = kOkAnnuler; break;
        case style::AbandonnerReessayerIgnorer: d.boutons = kAbandonner; break;
        case style::OuiNonAnnuler: d.boutons = kOuiNonAnnuler; break;
        case style::OuiNon: d.boutons = kOuiNon; break;
        case style::ReessayerAnnuler: d.boutons = kReessayer; break;
        default: d.boutons = kOk; break;
    }
    switch (style & 0xF0) {
        case style::Critique: d.icone = Icone::Critique; break;
        case style::Question: d.icone = Icone::Question; break;
        case style::Exclamation: d.icone = Icone::Exclamation; break;
        case style::Information: d.icone = Icone::Information; break;
        default: d.icone = Icone::Aucune; break;
    }
    const auto index = static_cast<std::size_t>((style & 0xF00) >> 8);
    d.indexDefaut = index < d.boutons.size() ? index : 0;
    return d;
}

}  // namespace korv::platform
