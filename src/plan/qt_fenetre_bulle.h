#pragma once
// The tooltip as a frameless tool window of the main window.

#include <string_view>

#include <QLabel>

#include "platform/tooltip.h"

namespace korv::plan {

class QtFenetreBulle final : public QLabel, public platform::FenetreBulle {
public:
    // `surface`: the page surface inside `fenetre`, whose pixels place it.
    QtFenetreBulle(QWidget* fenetre, QWidget* surface);
    void Afficher(int x, int y, std::string_view texte) override;
    void AfficherRtf(int x, int y, std::string_view rtf) override;
    void Cacher() override { hide(); }
    bool Visible() const override { return isVisible(); }

private:
    // Centred on the point of the page surface, inside the main window.
    void Montrer(int x, int y);
    QWidget* fenetre_;
    QWidget* surface_;
};

}  // namespace korv::plan
