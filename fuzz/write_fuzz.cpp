// Any bytes as a text object's file: the Write import (or the plain pass)
// ends with a tagged source that starts with its page count.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "text/write.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view octets(reinterpret_cast<const char*>(data), size);
    const std::string r = korv::text::PrecodeFichierTexte(
        octets, [](std::string_view nom) { return nom.size() % 2 == 0; }, "TIMES NEW ROMAN");
    if (!r.starts_with("<PageNombre")) std::abort();
    return 0;
}
