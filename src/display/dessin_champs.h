#pragma once
// What the drawing reads in an object record: the roles of the record's
// lettered fields. One place names them, so that the drawing, the zone
// redraw, the pressed look and the placement agree.

#include <cstdint>

#include "display/couleurs.h"
#include "engine/scene.h"

namespace korv::display::champs {

using engine::ObjetPage;

// Frame styles: what the frame step paints under an object.
inline constexpr std::int16_t kCadreBlanc = 0;
inline constexpr std::int16_t kCadre3D = 1;
inline constexpr std::int16_t kCadreCouleur = 2;
inline constexpr std::int16_t kCadreAssombri = 3;
inline constexpr std::int16_t kCadreEclairci = 4;
inline constexpr std::int16_t kCadreTransparent = 5;
inline constexpr std::int16_t kCadreAddition = 6;
inline constexpr std::int16_t kCadreFondu = 7;
inline constexpr std::int16_t kCadreRien = 8;  // a button of this style draws nothing of its own
inline constexpr std::int16_t kCadreTresEclairci = 9;
inline constexpr std::int16_t kCadreFonduPourcentage = 11;

// Shape byte: the object's outline and clip.
inline constexpr std::uint8_t kFormeRectangle = 1;
inline constexpr std::uint8_t kFormePolygone = 2;

inline std::int16_t StyleCadre(const ObjetPage& o) { return o.C1; }
// 3D depth in twips; a text's initial text page; a blend's percentage.
inline std::int16_t Profondeur3D(const ObjetPage& o) { return o.C2; }
inline std::int16_t LargeurContour(const ObjetPage& o) { return o.C3; }  // pixels
inline Couleur CouleurRemplissage(const ObjetPage& o) { return static_cast<Couleur>(o.D1); }
// Outline colour of rectangles, colour of tagged texts.
inline Couleur CouleurContour(const ObjetPage& o) { return static_cast<Couleur>(o.D2); }
inline std::int16_t LargeurOmbre(const ObjetPage& o) { return o.E1; }  // pixels, right and bottom
inline std::int16_t EffetTransition(const ObjetPage& o) { return o.E2; }
inline std::int16_t DecalageImageX(const ObjetPage& o) { return o.A1; }  // twips
inline std::int16_t DecalageImageY(const ObjetPage& o) { return o.A2; }
// -1 stretch the picture over the object, 0 natural size, other: no picture.
inline std::int16_t Etirement(const ObjetPage& o) { return o.I2; }
// Buttons: 0 picture offset and caption mode 2, 1 no offset and mode 0.
inline std::uint8_t OctetDisposition(const ObjetPage& o) { return o.H3; }
inline std::uint8_t OctetForme(const ObjetPage& o) { return o.decoupe; }
// 1 or 3: the object is shown by its page's compiled picture.
inline std::uint8_t OctetAspectCompile(const ObjetPage& o) { return o.B1; }
// 0: a zone redraw also keeps the object's pixels on the third surface.
inline std::uint8_t OctetCopiePermanente(const ObjetPage& o) { return o.F1; }
// 2 (or 0 with frame style 1) sunken box; 3 (or 0 with a rectangle) lighter.
inline std::uint8_t OctetEnfonce(const ObjetPage& o) { return o.H1; }
// Not 0 keeps the object off the foreground layer.
inline std::int16_t HorsAvantPlan(const ObjetPage& o) { return o.B3; }
// 3 next-page button, 4 previous-page button, 16 shown while the method text fits.
inline std::int16_t RoleBouton(const ObjetPage& o) { return o.G[3]; }

inline bool EtirementValide(const ObjetPage& o) { return Etirement(o) == 0 || Etirement(o) == -1; }

}  // namespace korv::display::champs
