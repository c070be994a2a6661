#include "cli/commands.h"

#include <cerrno>
#include <memory>
#include <sstream>

#include "cli/command_table.h"
#include "cli/label_warnings.h"
#include "cli/report.h"
#include "cli/warnings.h"
#include "control/automation.h"
#include "control/error_info.h"
#include "control/matrix_dispatch.h"
#include "control/qln_barcode.h"
#include "control/symbology_dispatch.h"
#include "control/symbology_family.h"
#include "host/enumerator_names.h"
#include "host/property_text.h"
#include "platform/ascii_case.h"
#include "platform/codepage.h"
#include "platform/com/error_object.h"
#include "render/export_image.h"
#include "symbology/barlib_error.h"

namespace linnet::cli {

namespace {

using Quillon::BrindleLib::barlib_error;

std::string EncodingErrorText(int symbology, const barlib_error& e) {
  char text[64];
  std::snprintf(text, sizeof text, "%s Encoding Error %d. ", EncodingErrorKind(symbology), e.code);
  return text + e.message;
}

// Encodes the control's symbol into `out`; reports an encoding failure on `err`.
int EncodeInto(const CQlnBarcode& control, std::ostream& out, std::ostream& err) {
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

const struct {
  const char* name;
  int format;
} kExportFormats[] = {{"png", qlxFormatPNG}, {"jpg", qlxFormatJPG}, {"jpeg", qlxFormatJPG},
                      {"gif", qlxFormatGIF}, {"tif", qlxFormatTIF}, {"tiff", qlxFormatTIF},
                      {"bmp", qlxFormatBMP}, {"emf", qlxFormatEMF}, {"wmf", qlxFormatWMF}};

std::optional<int> FormatNamed(const std::string& name) {
  for (const auto& f : kExportFormats) {
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

int ApplyCommandSettings(Session& s) {
  if (!s.line.loads.empty()) {
    s.err << "linnet: --load is not available in this build\n";
    return kExitFile;
  }
  const host::SettingsOutcome outcome = host::ApplySettings(*s.control, s.line.settings);
  for (const auto& applied : outcome.applied) {
    if (SameIgnoringAsciiCase(applied.member->name, "Message")) {
      s.message = applied.value;
    }
  }
  return ReportSettingsOutcome(outcome, s.err, s.warnings);
}

}  // namespace

std::vector<std::string> ExportFormatNames() {
  std::vector<std::string> names;
  for (const auto& f : kExportFormats) {
    names.emplace_back(f.name);
  }
  return names;
}

int RunEncode(Session& s) {
  const int status = EncodeInto(*s.control, s.out, s.err);
  WarnAboutSymbol(*s.control, s.message, s.warnings);
  return status;
}

int RunShow(Session& s) {
  for (const auto& member : AutomationMembers()) {
    Variant value;
    if (member.kind == ValueKind::Picture || Failed(member.get(*s.control, value))) {
      continue;
    }
    s.out << member.name << '=' << host::FormatValue(member, value) << '\n';
  }
  return kExitOk;
}

int RunList(Session& s) {
  for (const ValueKind kind :
       {ValueKind::Symbology, ValueKind::Alignment, ValueKind::Measurement, ValueKind::Rotation}) {
    s.out << host::EnumerationName(kind) << ":\n";
    for (const auto& e : Enumerators()) {
      if (e.enumeration != kind) {
        continue;
      }
      s.out << "  " << e.value << '\t' << e.name << '\t' << host::ShortEnumeratorName(e);
      for (const auto& a : host::EnumeratorAliases()) {
        if (a.enumeration == kind && a.value == e.value) {
          s.out << ", " << a.alias;
        }
      }
      s.out << '\n';
    }
  }
  s.out << "ImageFormatEnum:\n  0\tqlxFormatBMP\n  1\tqlxFormatJPG\n  2\tqlxFormatGIF\n  3\tqlxFormatTIF\n"
           "  5\tqlxFormatPNG\n  6\tqlxFormatEMF\n  7\tqlxFormatWMF\n"
           "Names are matched ignoring case, the qlx prefix, '_', '-' and spaces; Rotation also\n"
           "takes its angle in degrees (0, 90, 180, 270).\n";
  return kExitOk;
}

int RunExport(Session& s) {
  CQlnBarcode& control = *s.control;
  const std::string& path = *s.line.output;
  int format = qlxFormatPNG;
  if (s.line.format) {
    const auto named = FormatNamed(*s.line.format);
    if (!named) {
      s.err << "linnet: unknown image format '" << *s.line.format << "'. Try 'linnet --help'.\n";
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
  errno = 0;
  std::vector<unsigned char> image;
  if (path == "-") {
    hr = ExportImageToStream(control, image, format);
  } else {
    hr = ExportImageToFile(control, path, format);
  }
  const int savedErrno = errno;
  if (hr == E_NOTIMPL) {
    s.err << "linnet: metafile export (emf, wmf) is not available in this build\n";
    return kExitFile;
  }
  if (Failed(hr)) {
    const bool fileError = path != "-" && ControlErrorNumber(hr) == 6107;
    ReportError(hr, fileError ? "cannot write " + path + ": " + WriteFailureReason(path, savedErrno) : "", s.err);
    return kExitFile;
  }
  if (path == "-") {
    s.out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  }
  if (watch->fired) {
    // The label shows the error text in place of the symbol; say why, as encode would.
    std::ostringstream unused;
    return EncodeInto(control, unused, s.err);
  }
  WarnAboutSymbol(control, s.message, s.warnings);
  WarnAboutDrawing(control, format != qlxFormatEMF && format != qlxFormatWMF, s.warnings);
  return kExitOk;
}

int Run(const CommandLine& line, std::ostream& out, std::ostream& err) {
  const CommandSpec* spec = FindCommand(line.command);
  Warnings warnings(err, line.quiet, line.strict);
  std::unique_ptr<CQlnBarcode> control;
  Session session{line, nullptr, out, err, warnings};
  if (line.help) {
    return RunHelp(session);
  }
  if (spec->usesControl) {
    control = std::make_unique<CQlnBarcode>();
    session.control = control.get();
    if (const int status = ApplyCommandSettings(session); status != kExitOk) {
      return status;
    }
  }
  return warnings.Status(spec->run(session));
}

}  // namespace linnet::cli
