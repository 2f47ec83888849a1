#pragma once
// MagasinReglages in INI files through QSettings: one file per application,
// <dossier>/<application>.ini, one [section] per section.

#include <QString>

#include "platform/settings.h"

namespace korv::platform {

class QtMagasinReglages final : public MagasinReglages {
public:
    explicit QtMagasinReglages(QString dossier);

    // The program's folder under the XDG config folder
    // ($XDG_CONFIG_HOME, else ~/.config).
    static QString DossierParDefaut();

    std::optional<std::string> LireTexte(std::string_view application, std::string_view section,
                                         std::string_view cle) const override;
    [[nodiscard]] bool EcrireTexte(std::string_view application, std::string_view section, std::string_view cle,
                                   std::string_view valeur) override;

    // The file that holds (or would hold) `application`'s values.
    QString Fichier(std::string_view application) const;

private:
    QString dossier_;
};

}  // namespace korv::platform
