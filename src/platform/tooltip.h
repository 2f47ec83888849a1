#pragma once
// The main window's tooltip: a small window showing a text centred on a
// point of the page surface and kept inside the main window. A mouse move
// on the page more than 100 ms after it was shown hides it.

#include <string>
#include <string_view>

namespace korv::platform {

class FenetreBulle {
public:
    virtual ~FenetreBulle() = default;
    // (x, y): pixels of the page surface as shown (after scrolling).
    virtual void Afficher(int x, int y, std::string_view texte) = 0;
    // The same with a rich text (RTF, as our writer writes it).
    virtual void AfficherRtf(int x, int y, std::string_view rtf) = 0;
    virtual void Cacher() = 0;
    virtual bool Visible() const = 0;
};

// For tests: what was shown, and where.
class FenetreBulleFactice final : public FenetreBulle {
public:
    void Afficher(int x_, int y_, std::string_view t) override {
        x = x_, y = y_;
        texte = std::string(t);
        rtf.clear();
        visible = true;
    }
    void AfficherRtf(int x_, int y_, std::string_view r) override {
        x = x_, y = y_;
        texte.clear();
        rtf = std::string(r);
        visible = true;
    }
    void Cacher() override { visible = false; }
    bool Visible() const override { return visible; }

    int x = 0, y = 0;
    std::string texte;
    std::string rtf;
    bool visible = false;
};

}  // namespace korv::platform
