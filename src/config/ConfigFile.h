#pragma once
// FLC.dat: the whole configuration of the controller in one text file of labelled lines and
// blocks, in WorkDir. Lines end with CR LF so files move between plants unchanged; the reader
// also takes LF alone. Text is 8-bit and kept byte for byte.
#include <string>

#include "model/Controller.h"

namespace kavro {

// WorkDir + "/FLC.dat".
std::string ConfigPath(const ControllerModel& model);

// Fills the model from FLC.dat. A missing file is silent. A reading failure stops the reading
// and shows "Error in Read FLC.DAT File" through the Operator port; the corrections (minimum
// frequencies, MFValue within 0..1, default OutputType and Operator) are made in every case
// where the file existed. Returns false when a failure message was shown; failureText (when
// given) then holds the message's text.
bool ReadConfig(Controller& controller, std::string* failureText = nullptr);

// ReadConfig on bytes already in memory (kavro-config reads any file this way).
bool ReadConfigBytes(Controller& controller, const std::string& bytes,
                     std::string* failureText = nullptr);

// The exact bytes WriteConfig writes for this model (1002 lines, CR LF); dateLine is line 2.
std::string ConfigText(const ControllerModel& model, const std::string& dateLine);

// Writes FLC.dat atomically (temporary file renamed over it). On failure FLC.dat stays as it
// was and the operator gets "Error in Write FLC.DAT File" and what failed. Returns success.
bool WriteConfig(Controller& controller);

}  // namespace kavro
