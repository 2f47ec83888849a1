#include "platform/qt_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "platform/cp1252.h"
#include "platform/qt_cp1252.h"

namespace korv::platform {

namespace {

constexpr auto kExtension = QLatin1StringView(".ini");

// QSettings reads '/' and '\' in names as group separators; they are kept as
// escapes so that a section or key name comes back exactly as written.
QString Echappe(std::string_view nom) {
    QString sortie;
    for (QChar c : VersQString(nom)) {
        if (c == u'%')
            sortie += u"%25";
        else if (c == u'/')
            sortie += u"%2F";
        else if (c == u'\\')
            sortie += u"%5C";
        else
            sortie += c;
    }
    return sortie;
}

std::string Deschappe(const QString& nom) {
    QString sortie;
    for (qsizetype i = 0; i < nom.size(); ++i) {
        const QStringView suite = QStringView(nom).mid(i, 3);
        if (suite == u"%25") {
            sortie += u'%';
            i += 2;
        } else if (suite == u"%2F") {
            sortie += u'/';
            i += 2;
        } else if (suite == u"%5C") {
            sortie += u'\\';
            i += 2;
        } else {
            sortie += nom.at(i);
        }
    }
    return DepuisQString(sortie);
}

// The existing name among `noms` equal to `voulu` without regard to case,
// or the escaped `voulu` itself.
QString NomExistant(const QStringList& noms, std::string_view voulu) {
    for (const QString& n : noms) {
        if (EgalSansCasseCp1252(Deschappe(n), voulu)) return n;
    }
    return Echappe(voulu);
}

}  // namespace

QtMagasinReglages::QtMagasinReglages(QString dossier) : dossier_(std::move(dossier)) {}

QString QtMagasinReglages::DossierParDefaut() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/CorvanneRareviveZaru");
}

QString QtMagasinReglages::Fichier(std::string_view application) const {
    // The application name becomes a file name: no folder separators.
    std::string nom(application);
    for (char& c : nom) {
        if (c == '/' || c == '\\' || static_cast<std::uint8_t>(c) < 0x20) c = '_';
    }
    const QDir dossier(dossier_);
    const QStringList existants = dossier.entryList({QStringLiteral("*.ini")}, QDir::Files);
    for (const QString& f : existants) {
        if (f.endsWith(kExtension) && EgalSansCasseCp1252(DepuisQString(f.chopped(kExtension.size())), nom))
            return dossier.filePath(f);
    }
    return dossier.filePath(VersQString(nom) + kExtension);
}

std::optional<std::string> QtMagasinReglages::LireTexte(std::string_view application, std::string_view section,
                                                        std::string_view cle) const {
    VerifieNoms(application, section, cle);
    const QString fichier = Fichier(application);
    if (!QFileInfo::exists(fichier)) return std::nullopt;
    QSettings reglages(fichier, QSettings::IniFormat);
    reglages.beginGroup(NomExistant(reglages.childGroups(), section));
    const QString nom = NomExistant(reglages.childKeys(), cle);
    if (!reglages.contains(nom)) return std::nullopt;
    return DepuisQString(reglages.value(nom).toString());
}

bool QtMagasinReglages::EcrireTexte(std::string_view application, std::string_view section, std::string_view cle,
                                    std::string_view valeur) {
    VerifieNoms(application, section, cle);
    if (!QDir().mkpath(dossier_)) return false;
    QSettings reglages(Fichier(application), QSettings::IniFormat);
    reglages.beginGroup(NomExistant(reglages.childGroups(), section));
    reglages.setValue(NomExistant(reglages.childKeys(), cle), VersQString(valeur));
    reglages.endGroup();
    reglages.sync();
    return reglages.status() == QSettings::NoError;
}

}  // namespace korv::platform
