#include "display/texte_police.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontMetrics>

#include "display/surface.h"
#include "platform/qt_cp1252.h"

namespace korv::display {

QString FamillePolice(std::string_view nom) {
    const std::string n = text::Majuscules(nom);
    if (n == "ARIAL") return QStringLiteral("Liberation Sans");
    if (n == "TIMES NEW ROMAN") return QStringLiteral("Liberation Serif");
    if (n == "COURIER NEW") return QStringLiteral("Liberation Mono");
    return platform::VersQString(nom);
}

bool PoliceDisponible(std::string_view nom) {
    if (nom.empty()) return false;
    const QString famille = FamillePolice(nom);
    const QStringList familles = QFontDatabase::families();
    return familles.contains(famille, Qt::CaseInsensitive);
}

std::string PoliceParDefaut(std::string_view autre) {
    return PoliceDisponible("TIMES NEW ROMAN") ? std::string("TIMES NEW ROMAN") : text::Majuscules(autre);
}

bool ChoixPolices::Disponible(std::string_view nom) {
    const auto i = disponibles_.find(nom);
    if (i != disponibles_.end()) return i->second;
    const bool d = PoliceDisponible(nom);
    disponibles_.emplace(std::string(nom), d);
    return d;
}

QFont ChoixPolices::Police(const text::FormatageTexte& f) {
    const std::string_view nom = Disponible(f.police) ? std::string_view(f.police) : std::string_view(policeDefaut_);
    QFont police(FamillePolice(nom));
    // Sizes the window toolkit refuses are held to what it draws (1 to 1000 points).
    police.setPointSizeF(std::clamp<double>(f.taille, 1.0, 1000.0));
    police.setBold(f.gras);
    police.setItalic(f.italique);
    police.setUnderline(f.souligne);
    police.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    return police;
}

MesureurQt::MesureurQt(const Surface& surface, ChoixPolices& polices)
    : etalon_(1, 1, QImage::Format_RGB32),
      tppX_(surface.TwipsParPixelX()),
      tppY_(surface.TwipsParPixelY()),
      polices_(polices) {
    etalon_.setDotsPerMeterX(static_cast<int>(1440.0 / tppX_ * 39.3700787 + 0.5));
    etalon_.setDotsPerMeterY(static_cast<int>(1440.0 / tppY_ * 39.3700787 + 0.5));
    text::FormatageTexte defaut;
    defaut.police = polices_.PoliceDefaut();
    police_ = polices_.Police(defaut);
}

void MesureurQt::AppliquerFormatage(const text::FormatageTexte& formatage) {
    police_ = polices_.Police(formatage);
}

std::int32_t MesureurQt::Largeur(std::string_view texte) {
    const QFontMetrics m(police_, &etalon_);
    return m.horizontalAdvance(platform::VersQString(texte)) * tppX_;
}

text::MetriquesTexte MesureurQt::Metriques() {
    const QFontMetrics m(police_, &etalon_);
    return {m.height() * tppY_, m.ascent() * tppY_, m.descent() * tppY_};
}

std::int32_t MesureurQt::LargeurAvantPremierCaractere(std::string_view texte) {
    if (texte.empty()) return 0;
    const QFontMetrics m(police_, &etalon_);
    const QString q = platform::VersQString(texte.substr(0, 1));
    const int a = m.leftBearing(q.at(0));
    return (a < 0 ? -a : a) * tppX_;
}

}  // namespace korv::display
