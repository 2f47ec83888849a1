#pragma once
// Input of the page as the main window hands it over: mouse events of the
// page surface in page twips and keys. The play driver delivers its scripted
// inputs through this interface at their time.

namespace korv::testsupport {

namespace genre_souris {
inline constexpr int Enfonce = 1;
inline constexpr int Relache = 2;
inline constexpr int Deplace = 3;
}  // namespace genre_souris

class EntreeJeu {
public:
    virtual ~EntreeJeu() = default;
    // genre: 1 down, 2 up, 3 move; bouton and maj as the window gives them.
    virtual void Souris(int genre, int bouton, int maj, int x, int y) = 0;
    // Key pressed, with its shift state.
    virtual void Touche(int code, int maj) = 0;
    // A key typed with its character (ANSI code): key-down, character,
    // key-up as the main window hands them over. An input without a
    // character path takes the key alone.
    virtual void Frappe(int code, int maj, int caractere) {
        (void)caractere;
        Touche(code, maj);
    }
};

}  // namespace korv::testsupport
