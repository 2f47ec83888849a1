#pragma once
// Export files are written whole: the bytes go to a temporary file in the
// target's folder, which is flushed and then renamed over the target, so a
// failed write leaves the previous file as it was and an export over a
// longer file leaves exactly the new content.

#include <filesystem>
#include <string>
#include <string_view>

namespace korv::print {

// "" on success, else why the file could not be written (UTF-8).
[[nodiscard]] std::string EcrireFichierExport(const std::filesystem::path& cible, std::string_view octets);

}  // namespace korv::print
