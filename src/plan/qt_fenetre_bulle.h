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
    void Cacher() override { hide(); }
    bool Visible() const override { return isVisible(); }

private:
    QWidget* fenetre_;
    QWidget* surface_;
};

}  // namespace korv::plan
