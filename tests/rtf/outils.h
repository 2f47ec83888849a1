#pragma once
// Helpers of the rich-text tests: reading a text that must be accepted, and
// the plain text as UTF-8 for readable expectations.

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "rtf/document.h"
#include "rtf/lecteur.h"

namespace korv::rtf::test {

inline Document Lu(std::string_view rtf) {
    LectureRtf l = LireRtf(rtf);
    EXPECT_TRUE(l.document.has_value()) << l.erreur << " @" << l.position;
    return l.document.value_or(Document{});
}

inline std::string Utf8(std::u32string_view t) {
    return platform::Cp1252VersUtf8(platform::U32VersCp1252(t));
}

// The plain text, UTF-8, CR LF shown as "|".
inline std::string Brut(const Document& d) {
    std::string r;
    for (std::size_t i = 0; i < d.paragraphes.size(); ++i) {
        if (i > 0) r += "|";
        for (const auto& m : d.paragraphes[i].morceaux) r += Utf8(m.texte);
    }
    return r;
}

inline std::string Fichier(const std::string& nom) {
    std::ifstream f(std::string(KORV_TEST_DATA) + "/rtf/" + nom, std::ios::binary);
    EXPECT_TRUE(f.good()) << nom;
    return {std::istreambuf_iterator<char>(f), {}};
}

}  // namespace korv::rtf::test
