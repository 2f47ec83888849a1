#include "platform/qt_cp1252.h"

#include <QList>

#include "platform/cp1252.h"

namespace korv::platform {

QString VersQString(std::string_view cp1252) {
    QString sortie;
    sortie.reserve(static_cast<qsizetype>(cp1252.size()));
    for (char ch : cp1252) {
        // Every character of the code page lies in the BMP: one QChar each.
        sortie.append(QChar(static_cast<char16_t>(Cp1252VersPointCode(static_cast<std::uint8_t>(ch)))));
    }
    return sortie;
}

std::string DepuisQString(const QString& texte) {
    // toUcs4 joins surrogate pairs, so a character outside the BMP gives one
    // '?' and not two.
    const QList<uint> points = texte.toUcs4();
    std::string sortie;
    sortie.reserve(static_cast<std::size_t>(points.size()));
    for (uint p : points) {
        auto octet = PointCodeVersCp1252(static_cast<char32_t>(p));
        sortie.push_back(static_cast<char>(octet ? *octet : '?'));
    }
    return sortie;
}

bool EstRepresentableCp1252(const QString& texte) {
    const QList<uint> points = texte.toUcs4();
    for (uint p : points) {
        if (!PointCodeVersCp1252(static_cast<char32_t>(p))) return false;
    }
    return true;
}

}  // namespace korv::platform
