#pragma once
// Readable text description of a scene, built into the scene model by the
// scene tool and the tests. One statement a line: a keyword, then
// key=value pairs. Strings are double-quoted UTF-8 with \\ \" \n \r \t and
// \xHH escapes (HH is a raw cp1252 byte), or a here-document: key=<<END on
// the line and the text on the following lines up to END alone (lines are
// joined with CRLF). "#" starts a comment outside strings.
//
//   scene width=640 height=480 esc=1 compiled=0 layout=0 palette="DEFAUT.PAL"
//   language "FRANCAIS\\"
//   start text=<<END ... END
//   page [sub=N] [subarray=1,2] [int1=N]
//   object kind=fond|image|bouton|texte|video|son|chrono|polyligne|action|
//          sprite|tableau|rtf|graphique|N name="..." rect=l,t,w,h
//          [A1..A4 B1 B2 B3 C1..C3 D1 D2 E1 E2 F1 G1..G6 H1..H3 gridflag
//           I1 I2 J1 clip K1=a,b K2 K3 file="..." text="..."]
//   element page=N object=N param=N value="..." text="..." events=N
//   path points=x,y;x,y... lengths=a,b... total=D closed=0|-1
//   grid cols=N rows=N [coloffset rowoffset bottom reserved]
//   column N width= fold= lock= sort= print=8 integers
//   row N height= fold= lock= print=8 integers
//   cell col=C row=R text="..."        (a text beginning with "=" takes
//   token kind=K byte=N|num=D|str="..." the token lines that follow,
//   si=-1|0   ref=page,object,c1,r1,c2,r2  then its formula is complete;
//                                        with none, its text is compiled)
//   result col=C row=R type=T value="..."
//   attribute col=C row=R [kind=complet|reduit|partiel editable= type=
//          script= file= bg= fg= name= subformat= invisible= tooltip=
//          invalidation= merge=]
//
// Page and object numbers are 1-based as in the file. The form decides how
// grids and their formulas are stored: inline in complete records (4500) or
// in quick records and the page's formula block (4600).

#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/scene.h"
#include "engine/scene_fichier.h"

namespace korv::scenetool {

class ErreurDescription : public std::runtime_error {
public:
    ErreurDescription(int ligne, const std::string& message)
        : std::runtime_error("ligne " + std::to_string(ligne) + " : " + message), ligne_(ligne) {}
    int ligne() const { return ligne_; }

private:
    int ligne_;
};

engine::Scene ConstruitScene(std::string_view description, engine::FormeObjets forme);

}  // namespace korv::scenetool
