#pragma once

#include <string>

namespace notarion {

// How the embedded viewer prints: the texts drawn above and below every page
// (empty texts draw nothing) and whether the print dialog is skipped. The
// document viewer empties both texts and switches the dialog off before it
// prints, and never switches it back on.
struct PrintOptions {
    std::u16string Header;
    std::u16string Footer;
    bool PrintWithoutDialog = false;
};

} // namespace notarion
