#pragma once
// How a failure of a command or start-up step reads to the operator: "Error Number = " and
// "Error Description = " on two lines joined by CR LF.
#include <exception>
#include <string>

namespace kavro {

// Any failure, numbered as AsKavroError numbers it.
std::string FailureText(const std::exception& failure);

}  // namespace kavro
