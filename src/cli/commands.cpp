#include "cli/commands.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "cli/property_text.h"
#include "control/automation.h"
#include "control/error_info.h"
#include "control/matrix_dispatch.h"
#include "control/qln_barcode.h"
#include "control/symbology_dispatch.h"
#include "control/symbology_family.h"
#include "control/version_line.h"
#include "persist/bounded_read.h"
#include "persist/property_file.h"
#include "persist/save_load.h"
#include "platform/ascii_case.h"
#include "platform/codepage.h"
#include "platform/com/error_object.h"
#include "render/export_image.h"
#include "symbology/barlib_error.h"

namespace linnet::cli {

namespace {

using Quillon::BrindleLib::barlib_error;

bool ReadFile(const std::string& path, std::string& bytes) {
  if (path == "-") {
    bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return !std::cin.bad();
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// The control's report of a failed call: its error number (or engine code) and message.
void ReportError(HRESULT hr, std::ostream& err) {
  const auto error = ThreadErrorObject();
  const std::int32_t number = ControlErrorNumber(hr);
  const std::string message = error ? WideToUtf8(error->description) : std::string();
  if (number >= 0) {
    err << "error " << number << ": " << message << "\n";
  } else {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
    err << "error " << code << (message.empty() ? "" : ": " + message) << "\n";
  }
}

int PersistFormat(bool xml) {
  return xml ? persist::kPersistXml : 0;
}

// Standard input holds the bytes a file would.
int LoadPropertyFile(CQlnBarcode& control, const Setting& s, std::ostream& err) {
  ClearThreadErrorObject();
  HRESULT hr = S_OK;
  if (s.value == "-") {
    std::vector<std::uint8_t> file;
    hr = Succeeded(persist::ReadBoundedFile("/dev/stdin", file))
             ? persist::LoadPropertyFile(control, file, PersistFormat(s.xml))
             : RaiseNumberedError(persist::kLoadFailed);
  } else {
    hr = persist::Load(control, Variant::Text(Utf8ToWide(s.value)), PersistFormat(s.xml));
  }
  if (Failed(hr)) {
    ReportError(hr, err);
    return kExitFile;
  }
  return kExitOk;
}

int ApplySettings(CQlnBarcode& control, const std::vector<Setting>& settings, std::ostream& err) {
  for (const auto& s : settings) {
    if (s.source == Setting::Source::PropertyFile) {
      if (const int status = LoadPropertyFile(control, s, err); status != kExitOk) {
        return status;
      }
      continue;
    }
    const AutomationMember* member = FindAutomationMember(s.name, true);
    if (member == nullptr || member->put == nullptr) {
      err << "linnet: no settable property named '" << s.name << "' (see linnet show)\n";
      return kExitUsage;
    }
    std::string text = s.value;
    if (s.source == Setting::Source::File && !ReadFile(s.value, text)) {
      err << "linnet: cannot read " << s.value << "\n";
      return kExitFile;
    }
    Variant value;
    std::string problem;
    if (!ParseValue(*member, text, value, problem)) {
      err << "linnet: " << member->name << ": " << problem << "\n";
      return kExitRefused;
    }
    ClearThreadErrorObject();
    const HRESULT hr = PutAutomationProperty(control, *member, value);
    if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW) {
      err << "linnet: " << member->name << ": '" << text << "' is not a value of this property\n";
      return kExitRefused;
    }
    if (Failed(hr)) {
      ReportError(hr, err);
      return kExitRefused;
    }
    // Setting Symbology or Measurement to the value it has is no news.
    if (hr == S_FALSE && member->kind != ValueKind::Symbology && member->kind != ValueKind::Measurement) {
      err << "linnet: note: " << member->name << " did not take effect (refused, unchanged, or not used by the "
          << "current symbology)\n";
    }
  }
  return kExitOk;
}

std::string EncodingErrorText(int symbology, const barlib_error& e) {
  char text[64];
  std::snprintf(text, sizeof text, "%s Encoding Error %d. ", EncodingErrorKind(symbology), e.code);
  return text + e.message;
}

int Encode(const CQlnBarcode& control, std::ostream& out, std::ostream& err) {
  const int symbology = control.Properties().symbology;
  const Family family = SymbologyFamily(symbology);
  try {
    if (family == Family::Matrix || family == Family::MaxiCode) {
      const auto rows = EncodeMatrixRows(control);
      if (rows.empty()) {
        err << "linnet: this build cannot encode symbology " << symbology << "\n";
        return kExitCannotEncode;
      }
      for (const auto& row : rows) {
        out << row << '\n';
      }
      return kExitOk;
    }
    const EncodedSymbol symbol = EncodeLinearSymbol(control);
    if (symbol.pattern.empty()) {
      err << "linnet: this build cannot encode symbology " << symbology << "\n";
      return kExitCannotEncode;
    }
    out << symbol.pattern << '\n' << WideToUtf8(AnsiToWide(symbol.text)) << '\n';
    return kExitOk;
  } catch (const barlib_error& e) {
    err << WideToUtf8(AnsiToWide(EncodingErrorText(symbology, e))) << "\n";
    return kExitCannotEncode;
  }
}

void Show(CQlnBarcode& control, std::ostream& out) {
  for (const auto& member : AutomationMembers()) {
    Variant value;
    if (member.kind == ValueKind::Picture || Failed(member.get(control, value))) {
      continue;
    }
    out << member.name << '=' << FormatValue(member, value) << '\n';
  }
}

void List(std::ostream& out) {
  const struct {
    ValueKind kind;
    const char* name;
  } enumerations[] = {{ValueKind::Symbology, "SymbologyEnum"},
                      {ValueKind::Alignment, "AlignmentEnum"},
                      {ValueKind::Measurement, "MeasurementEnum"},
                      {ValueKind::Rotation, "RotationEnum"}};
  for (const auto& enumeration : enumerations) {
    out << enumeration.name << ":\n";
    for (const auto& e : Enumerators()) {
      if (e.enumeration == enumeration.kind) {
        out << "  " << e.value << '\t' << e.name << '\n';
      }
    }
  }
  out << "ImageFormatEnum:\n  0\tqlxFormatBMP\n  1\tqlxFormatJPG\n  2\tqlxFormatGIF\n  3\tqlxFormatTIF\n"
         "  5\tqlxFormatPNG\n  6\tqlxFormatEMF\n  7\tqlxFormatWMF\n";
}

std::optional<int> FormatNamed(const std::string& name) {
  const struct {
    const char* name;
    int format;
  } formats[] = {{"png", qlxFormatPNG}, {"jpg", qlxFormatJPG}, {"jpeg", qlxFormatJPG},
                 {"gif", qlxFormatGIF}, {"tif", qlxFormatTIF}, {"tiff", qlxFormatTIF},
                 {"bmp", qlxFormatBMP}, {"emf", qlxFormatEMF}, {"wmf", qlxFormatWMF}};
  for (const auto& f : formats) {
    if (SameIgnoringAsciiCase(name, f.name)) {
      return f.format;
    }
  }
  return std::nullopt;
}

// Remembers whether a drawing reported a symbol it could not encode.
class ErrorWatch : public IBarcodeEvents {
 public:
  HRESULT BarcodeError(std::int32_t /*handle*/, std::int32_t /*nError*/) override {
    fired = true;
    return S_OK;
  }
  bool fired = false;
};

int Export(CQlnBarcode& control, const CommandLine& line, std::ostream& out, std::ostream& err) {
  const std::string& path = *line.output;
  int format = qlxFormatPNG;
  if (line.format) {
    const auto named = FormatNamed(*line.format);
    if (!named) {
      err << "linnet: unknown image format '" << *line.format << "'\n";
      return kExitUsage;
    }
    format = *named;
  } else if (const auto dot = path.rfind('.'); dot != std::string::npos && path != "-") {
    format = FormatNamed(path.substr(dot + 1)).value_or(qlxFormatPNG);
  }
  ClearThreadErrorObject();
  auto watch = std::make_shared<ErrorWatch>();
  control.Events().Advise(watch);
  HRESULT hr = S_OK;
  if (path == "-") {
    std::vector<unsigned char> image;
    hr = ExportImageToStream(control, image, format);
    if (Succeeded(hr)) {
      out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
      out.flush();
    }
  } else {
    hr = ExportImageToFile(control, path, format);
  }
  if (hr == E_NOTIMPL) {
    err << "linnet: metafile export (emf, wmf) is not available in this build\n";
    return kExitFile;
  }
  if (Failed(hr)) {
    ReportError(hr, err);
    return kExitFile;
  }
  if (watch->fired) {
    // The label was written with the error text in place of the symbol; say why, as encode would.
    std::ostringstream discard;
    return Encode(control, discard, err);
  }
  return kExitOk;
}

int Save(CQlnBarcode& control, const CommandLine& line, std::ostream& out, std::ostream& err) {
  ClearThreadErrorObject();
  HRESULT hr = S_OK;
  if (*line.output == "-") {
    std::vector<std::uint8_t> file;
    hr = persist::SavePropertyFile(control, PersistFormat(line.xml), file);
    if (Succeeded(hr) &&
        !out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size())).flush()) {
      hr = RaiseNumberedError(persist::kSaveFailed);  // a full disk or a closed pipe
    }
  } else {
    hr = persist::Save(control, Variant::Text(Utf8ToWide(*line.output)), PersistFormat(line.xml));
  }
  if (Failed(hr)) {
    ReportError(hr, err);
    return kExitFile;
  }
  return kExitOk;
}

}  // namespace

int Run(const CommandLine& line, std::ostream& out, std::ostream& err) {
  switch (line.command) {
    case Command::Help:
      out << kUsage;
      return kExitOk;
    case Command::Version:
      out << "linnet " << VersionLine() << '\n';
      return kExitOk;
    case Command::List:
      List(out);
      return kExitOk;
    default:
      break;
  }
  CQlnBarcode control;
  if (const int status = ApplySettings(control, line.settings, err); status != kExitOk) {
    return status;
  }
  switch (line.command) {
    case Command::Encode:
      return Encode(control, out, err);
    case Command::Show:
      Show(control, out);
      return kExitOk;
    case Command::Save:
      return Save(control, line, out, err);
    default:
      return Export(control, line, out, err);
  }
}

}  // namespace linnet::cli
