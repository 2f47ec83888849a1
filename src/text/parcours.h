#pragma once
// A walk over the sequences of a text in memory or a file, read in windows
// of 32000 bytes; a sequence cut by a window's end is read again from its start.

#include <string>
#include <string_view>

#include "text/balises.h"
#include "text/source.h"

namespace korv::text {

class ParcoursSequences {
public:
    explicit ParcoursSequences(SourceTexte& source, Position depart = 1) : source_(source), position_(depart) {}
    // The next sequence (valid until the next call); empty at the end or at
    // a tag that never closes.
    std::string_view Suivante();
    // Where the last sequence returned begins (1-based).
    Position Debut() const { return debut_; }
    // Where the next sequence will begin.
    Position Prochaine() const { return position_; }

private:
    void Charger(Position debut);
    SourceTexte& source_;
    Position position_;
    Position debut_ = 0;
    std::string tampon_;
    Position tamponDebut_ = 0;
};

}  // namespace korv::text
