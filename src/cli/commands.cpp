#include "cli/commands.h"

#include <cerrno>
#include <memory>
#include <sstream>

#include "cli/batch_verify.h"
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
#include "persist/bounded_read.h"
#include "persist/property_file.h"
#include "persist/save_load.h"
#include "platform/ascii_case.h"
#include "platform/codepage.h"
#include "platform/com/error_object.h"
#include "platform/files/file_replace.h"
#include "render/export_image.h"
#include "render/image_formats.h"
#include "symbology/barlib_error.h"

namespace linnet::cli {

namespace {

using Quillon::BrindleLib::barlib_error;

}  // namespace

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
    err << WideToUtf8(AnsiToWide(EncodingErrorText(symbology, e.code, e.message))) << "\n";
    return kExitCannotEncode;
  }
}

namespace {

// Remembers whether a drawing reported a symbol it could not encode.
class ErrorWatch : public IBarcodeEvents {
 public:
  HRESULT BarcodeError(std::int32_t /*handle*/, std::int32_t /*nError*/) override {
    fired = true;
    return S_OK;
  }
  bool fired = false;
};

int PersistFormat(bool xml) {
  return xml ? persist::kPersistXml : 0;
}

// Standard input holds the bytes a file would.
int LoadPropertyFile(CQlnBarcode& control, const PropertyFileLoad& load, std::ostream& err) {
  ClearThreadErrorObject();
  HRESULT hr = S_OK;
  if (load.path == "-") {
    std::vector<std::uint8_t> file;
    hr = Succeeded(persist::ReadBoundedFile("/dev/stdin", file))
             ? persist::LoadPropertyFile(control, file, PersistFormat(load.xml))
             : RaiseNumberedError(persist::kLoadFailed);
  } else {
    hr = persist::Load(control, Variant::Text(Utf8ToWide(load.path)), PersistFormat(load.xml));
  }
  if (Failed(hr)) {
    ReportError(hr, "cannot load " + (load.path == "-" ? std::string("standard input") : load.path), err);
    return kExitFile;
  }
  return kExitOk;
}

int ApplyCommandSettings(Session& s) {
  for (const auto& load : s.line.loads) {
    if (const int status = LoadPropertyFile(*s.control, load, s.err); status != kExitOk) {
      return status;
    }
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
  for (const auto& f : ImageFormats()) {
    for (const char* name : f.names) {
      if (name != nullptr) {
        names.emplace_back(name);
      }
    }
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
  s.out << "ImageFormatEnum:\n";
  for (const auto& f : ImageFormats()) {
    if (f.number) {
      s.out << "  " << *f.number << '\t' << f.enumerator << '\n';
    }
  }
  s.out << "Names are matched ignoring case, the qlx prefix, '_', '-' and spaces; Rotation also\n"
           "takes its angle in degrees (0, 90, 180, 270).\n";
  return kExitOk;
}

int RunSave(Session& s) {
  CQlnBarcode& control = *s.control;
  const std::string& path = *s.line.output;
  ClearThreadErrorObject();
  HRESULT hr = S_OK;
  errno = 0;
  std::vector<std::uint8_t> file;
  if (path == "-") {
    hr = persist::SavePropertyFile(control, PersistFormat(s.line.xml), file);
  } else {
    hr = persist::Save(control, Variant::Text(Utf8ToWide(path)), PersistFormat(s.line.xml));
  }
  const int savedErrno = errno;
  if (Failed(hr)) {
    const bool fileError = path != "-" && ControlErrorNumber(hr) == persist::kSaveFailed;
    ReportError(hr, fileError ? "cannot write " + path + ": " + WriteFailureReason(path, savedErrno) : "", s.err);
    return kExitFile;
  }
  s.out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return kExitOk;
}

int RunExport(Session& s) {
  CQlnBarcode& control = *s.control;
  const std::string& path = *s.line.output;
  const ImageFormatInfo* format = &ImageFormatForNumber(qlxFormatPNG);
  if (s.line.format) {
    format = ImageFormatNamed(*s.line.format);
    if (format == nullptr) {
      s.err << "linnet: unknown image format '" << *s.line.format << "'. Try 'linnet --help'.\n";
      return kExitUsage;
    }
  } else if (path != "-") {
    if (const ImageFormatInfo* named = ImageFormatNamed(files::Extension(path))) {
      format = named;
    }
  }
  ClearThreadErrorObject();
  auto watch = std::make_shared<ErrorWatch>();
  control.Events().Advise(watch);
  HRESULT hr = S_OK;
  errno = 0;
  std::vector<unsigned char> image;
  if (path == "-") {
    hr = ExportFormatToStream(control, image, *format);
  } else {
    hr = ExportFormatToFile(control, path, *format);
  }
  const int savedErrno = errno;
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
  if (s.line.verify) {
    const Verification v = VerifyLabel(control);
    if (v.status == Verification::Status::Mismatch) {
      s.err << "linnet: verification failed: " << v.detail << '\n';
      return kExitCannotEncode;
    }
    if (v.status == Verification::Status::NotVerifiable) {
      s.warnings.Note("not verifiable: " + v.detail);
    }
  }
  WarnAboutSymbol(control, s.message, s.warnings);
  WarnAboutDrawing(control, format->writer == ImageWriter::Raster, s.warnings);
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
