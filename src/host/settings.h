#pragma once
// Property settings given as text (`--set NAME=VALUE`, `-b`, `-d`, `-i FILE`, a batch row, a
// request), applied to a control through its automation table.
//
// Order: the settings of Symbology apply first, the rest in the order given. The Symbology
// setter installs the sample message of the new symbology, so a message given before it would
// be lost without a word. Application stops at the first setting that fails; the settings
// before it stay applied. Reading a value from a file reads the whole file as UTF-8 bytes;
// "-" is standard input. Not thread-bound beyond the control: the thread's error object is
// read right after the failing call and copied into the outcome.
#include <string>
#include <vector>

#include "control/automation.h"
#include "platform/com/hresult.h"

namespace linnet {
class CQlnBarcode;
}

namespace linnet::host {

struct Setting {
  enum class Source { Value, File } source = Source::Value;
  std::string name;   // property name
  std::string value;  // the value, or the file to read it from ("-" = standard input)
};

struct SettingsOutcome {
  enum class Status {
    Ok,
    UnknownProperty,  // no settable member of that name
    Unreadable,       // the value's file could not be read: `reason` says why
    BadValue,         // no conversion takes the text: `reason` says why
    Refused,          // the setter (or the conversion to its type) answered `hr`
  };
  Status status = Status::Ok;
  const Setting* failed = nullptr;                   // the setting that stopped the application
  const AutomationMember* member = nullptr;          // its member, once known
  std::string value;                                 // the value as given (a file's contents)
  std::string reason;                                // Unreadable: the system's reason; BadValue: the problem
  HRESULT hr = S_OK;                                 // Refused: the result
  std::string description;                           // Refused: the error object's description, UTF-8
  std::vector<const AutomationMember*> ineffective;  // settings answered S_FALSE

  struct Applied {
    const AutomationMember* member;
    std::string value;  // the text given (a file's contents)
  };
  std::vector<Applied> applied;  // the settings taken, in the order applied
};

// Applies `settings` in the order described above.
SettingsOutcome ApplySettings(CQlnBarcode& control, const std::vector<Setting>& settings);

// The one place a parsed value meets the control.
HRESULT ApplySetting(CQlnBarcode& control, const AutomationMember& member, const Variant& value);

// Reads a whole file ("-" = standard input) into `bytes`; false with the system's reason
// (strerror text) in `reason`. A directory is refused as such.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason);

}  // namespace linnet::host
