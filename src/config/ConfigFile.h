#pragma once
// FLC.dat: the whole configuration of the controller in one text file of labelled lines and
// blocks, in WorkDir. Lines end with CR LF so files move between plants unchanged; the reader
// also takes LF alone. Text is 8-bit and kept byte for byte.
#include <string>
#include <vector>

#include "model/Controller.h"

namespace kavro {

// WorkDir + "/FLC.dat".
std::string ConfigPath(const ControllerModel& model);
// dir + "/FLC.dat": the configuration of the controller that works in that folder.
std::string ConfigPathIn(const std::string& dir);

// What a reading told besides the configuration: the failure the operator was shown, and what
// it let pass but must not keep quiet about (lines after the file's last block, which are not
// read: a file that grew a junk tail, or two files run together).
struct ConfigReadNotes {
  std::string failureText;
  std::string failureReason;  // the failure's description alone, for a one-line report
  int failureLine = 0;        // the line of the file the reading failed at (from 1)
  std::vector<std::string> warnings;
};

// Fills the model from FLC.dat. A missing file is silent. A reading failure stops the reading
// and shows "Error in Read FLC.DAT File" through the Operator port; the corrections (minimum
// frequencies, MFValue within 0..1, default OutputType and Operator) are made in every case
// where the file existed. Returns false when a failure message was shown: the file is broken
// or cut short (it ends before its last block, the control mode, is closed), and the model
// holds only what was read before that point.
bool ReadConfig(Controller& controller, ConfigReadNotes* notes = nullptr);

// ReadConfig on bytes already in memory (kavro-config reads any file this way).
bool ReadConfigBytes(Controller& controller, const std::string& bytes,
                     ConfigReadNotes* notes = nullptr);

// The exact bytes WriteConfig writes for this model (1002 lines, CR LF); dateLine is line 2.
std::string ConfigText(const ControllerModel& model, const std::string& dateLine);

// Writes FLC.dat atomically (temporary file renamed over it). On failure FLC.dat stays as it
// was and the operator gets "Error in Write FLC.DAT File" and what failed. Returns success.
bool WriteConfig(Controller& controller);

// "Error in Write FLC.DAT File" and what failed, as every write of FLC.dat reports it.
void ShowConfigWriteFailure(Controller& controller, const std::string& failure);

}  // namespace kavro
