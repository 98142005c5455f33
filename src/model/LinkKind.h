#pragma once
// Which link a configuration selects: the two OPC link kinds are named by Program_Interface;
// any other name is a link client program exchanging files.
#include <string_view>

namespace kavro {

// True when Program_Interface, without trailing blanks and in any case, is "VELDTBRG" or
// "VELDTSRV".
bool SelectsOpcLink(std::string_view programInterface);

}  // namespace kavro
