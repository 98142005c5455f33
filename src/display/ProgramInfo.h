#pragma once
// Who made the controller and what its error codes mean: the texts of the About box, the
// error-code list and the splash window.
#include <string>

namespace kavro {

// "1.0.0": major, minor and revision of the running program.
std::string VersionNumber();

// Title of the About box and the error-code list: ProductName + ": Multivariable ...".
std::string InfoBoxTitle(const std::string& productName);

// "Kavro, Version 1.0.0", then the maker's name, address, telephone and e-mail lines.
std::string AboutText();

// The error codes the controller sends to the DCS, one per line, ending with CR LF.
std::string ErrorCodeListText();

// The maker's lines as the About box and the splash window show them.
inline constexpr const char* kMakerName = "The Kavro Project";
inline constexpr const char* kMakerAddress1 = "Open process-control software";
inline constexpr const char* kMakerAddress2 = "Supported by your site's control-systems team";
inline constexpr const char* kMakerTelephone = "Telephone: ask your control-systems team";
inline constexpr const char* kMakerEmail = "e-mail: ask your control-systems team";

}  // namespace kavro
