// Any bytes given to the picture decoder either decode to an image or are
// refused with a reason; neither the header check nor the decoder may read
// outside the buffer.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "display/images.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string erreur;
    const QImage image = korv::display::DecoderImageOctets(std::span(data, size), erreur);
    if (image.isNull() == erreur.empty()) std::abort();  // a refusal always says why
    return 0;
}
