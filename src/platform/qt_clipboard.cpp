#include "platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "platform/qt_cp1252.h"

namespace korv::platform {

std::string QtPressePapier::Texte() {
    const QClipboard* c = QGuiApplication::clipboard();
    return c ? DepuisQString(c->text()) : std::string();
}

void QtPressePapier::TexteFixer(std::string_view texte) {
    if (QClipboard* c = QGuiApplication::clipboard()) c->setText(VersQString(texte));
}

}  // namespace korv::platform
