#pragma once
// The tooltip as a frameless tool window of the main window.

#include <string_view>

#include <QElapsedTimer>
#include <QLabel>

#include "platform/tooltip.h"

namespace korv::plan {

class QtFenetreBulle final : public QLabel, public platform::FenetreBulle {
public:
    // `surface`: the page surface inside `fenetre`, whose mouse moves hide
    // the tooltip once it has been shown for more than 100 ms.
    QtFenetreBulle(QWidget* fenetre, QWidget* surface);
    void Afficher(int x, int y, std::string_view texte) override;
    void AfficherRtf(int x, int y, std::string_view rtf) override;
    void Cacher() override { hide(); }
    bool Visible() const override { return isVisible(); }

protected:
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    // Centred on the point of the page surface, inside the main window.
    void Montrer(int x, int y);
    QWidget* fenetre_;
    QWidget* surface_;
    QElapsedTimer montree_;
};

}  // namespace korv::plan
