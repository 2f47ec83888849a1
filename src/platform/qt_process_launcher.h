#pragma once
// LanceurProcessus over QProcess::startDetached: the program runs as a child
// of init, so it never lingers as a zombie of ours, and its state is read
// from /proc. The associated program comes from the desktop's MIME
// database: `xdg-mime query filetype`, then `xdg-mime query default`, then
// the Exec line of that .desktop file without its field codes (%f, %U, ...).

#include "platform/process_launcher.h"

namespace korv::platform {

class QtLanceurProcessus final : public LanceurProcessus {
public:
    std::int32_t Lance(const std::vector<std::string>& arguments) override;
    bool EstActif(std::int32_t pid) const override;
    std::string ProgrammeAssocie(std::string_view fichier) const override;
};

}  // namespace korv::platform
