#pragma once
// Scripted message box for tests: answers come from a queue; every message
// shown is recorded with the answer it got. A program that asks without end
// would answer itself with default buttons for ever: past a bound of default
// answers in a row, the box refuses (throws), so that the test fails at once.

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace korv::platform {

struct MessageAffiche {
    std::string texte;
    int style = 0;
    std::string titre;  // the title shown (kTitreProduit when none was given)
    int reponse = 0;
    bool parDefaut = false;  // no queued answer: the style's default button
};

class BoiteMessageFactice final : public BoiteMessage {
public:
    // Takes the next queued answer, or the style's default button when the
    // queue is empty. A queued answer the box has no button for is a mistake
    // in the test script and throws std::logic_error, as does every message
    // once `limiteParDefaut` default answers in a row are spent.
    int Afficher(std::string_view texte, int style, std::string_view titre = {}) override;

    std::deque<int> reponses;
    std::vector<MessageAffiche> messages;
    // Default answers allowed in a row.
    std::size_t limiteParDefaut = 10000;
    // Called with each message as it is shown, before it is answered.
    std::function<void(const MessageAffiche&)> observateur;

private:
    std::size_t parDefautDeSuite_ = 0;
};

}  // namespace korv::platform
