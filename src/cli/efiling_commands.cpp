#include "cli/efiling_commands.h"

#include <filesystem>
#include <ostream>
#include <span>
#include <string_view>

#include "cli/command_line_ui.h"
#include "cli/field_options.h"
#include "forms/1099/form1099_corrections.h"
#include "forms/1099/irs1099_transmitter.h"
#include "forms/w2/efw2_submitter.h"
#include "forms/w2/efw2c_file.h"
#include "store/global_doc.h"
#include "store/output_file.h"
#include "store/text_codec.h"

namespace formet::cli {
namespace {

constexpr const char* kEfw2 = "efw2";
constexpr const char* kEfile1099 = "efile-1099";
constexpr const char* kEfw2c = "efw2c";

constexpr CommandOption kOut{"out", true};
constexpr CommandOption kCheckOnly{"check-only", false};

// The file named by --out, or nullopt (with the reason) when it is missing or
// not acceptable; not needed with --check-only.
std::optional<std::filesystem::path> OutputPath(const std::string& command, const Parsed& parsed,
                                                std::ostream& err) {
  if (!parsed.Has(kOut.name)) {
    err << "formet-cli: " << command << " needs --out FILE (or --check-only)\n";
    return std::nullopt;
  }
  const std::string& given = parsed.values.at(kOut.name);
  if (given.empty() || !FromCommandLine(given, err)) {
    if (given.empty()) err << "formet-cli: --out needs the name of a file\n";
    return std::nullopt;
  }
  // Refused before anything is written, the submitter's fields included.
  if (const auto problem = OutputTargetProblem(given)) {
    err << "formet-cli: " << Win1252ToUtf8(*problem) << "\n";
    return std::nullopt;
  }
  return std::filesystem::path(given);
}

// The fields as the dialog's OK takes them: saved in the company at once,
// or, in a company that cannot be written, used for this file only (the
// user is told). False, with the message, when the save failed.
template <class R>
bool UseFields(CGlobalDoc& doc, const R& stored, const R& record, ChangeResult (*save)(CGlobalDoc&, const R&),
               const char* whose, std::ostream& err) {
  if (doc.ReadOnlyReason()) {
    if (!(stored == record)) {
      doc.ReplaceRowInMemory(record);
      err << "formet-cli: note: the " << whose << "'s fields are used for this file only; they are not saved in "
          << "the company:\n" << Win1252ToUtf8(*doc.ReadOnlyReason()) << "\n";
    }
    return true;
  }
  const auto saved = save(doc, record);
  if (saved.saveCode != 0) {
    err << Win1252ToUtf8(CommandSaveFailure(doc, saved.saveCode)) << "\n";
    return false;
  }
  return true;
}

// The end of both commands: the report on stderr; the file written unless
// an error stands or only a check was asked for.
int Finish(const efile::Report& report, const std::string& bytes, const std::string& summary, const char* kind,
           const Parsed& parsed, std::ostream& out, std::ostream& err) {
  if (!report.Problems().empty()) err << Win1252ToUtf8(report.Text());
  if (report.HasErrors()) {
    err << "formet-cli: nothing was written; mend the errors above and try again.\n";
    return 1;
  }
  if (parsed.Has(kCheckOnly.name)) {
    out << "The " << kind << " is ready to be written (--check-only: nothing was written).\n"
        << Win1252ToUtf8(summary) << "\n";
    return 0;
  }
  const std::filesystem::path path(parsed.values.at(kOut.name));
  if (const auto problem = efile::WriteFilingFile(path, bytes)) {
    err << "formet-cli: " << Win1252ToUtf8(*problem) << "\n";
    return 1;
  }
  out << "Wrote the " << kind << " " << path.string() << ".\n" << Win1252ToUtf8(summary) << "\n";
  return 0;
}

// efw2 and efw2c: the wage file or the corrections file, with the same
// submitter.
int Efw2Command(CGlobalDoc& doc, CommandLineUi& ui, const char* command, const std::vector<std::string>& args,
                std::ostream& out, std::ostream& err) {
  const bool corrections = std::string_view(command) == kEfw2c;
  using R = SubmitterRecord;
  const auto fields = SubmitterFields();
  const Option options[] = {
      {"ein", SubmitterFieldIndex(R::Text::SubmitterEIN)},
      {"pin", SubmitterFieldIndex(R::Text::SubmitterPIN)},
      {"resubmission", SubmitterFieldIndex(R::Text::ResubIndicator)},
      {"wfid", SubmitterFieldIndex(R::Text::ResubWFID)},
      {"name", SubmitterFieldIndex(R::Text::SubmitterName)},
      {"location-address", SubmitterFieldIndex(R::Text::LocationAddress)},
      {"delivery-address", SubmitterFieldIndex(R::Text::DeliveryAddress)},
      {"city", SubmitterFieldIndex(R::Text::City)},
      {"state", SubmitterFieldIndex(R::Text::StateAbbreviation)},
      {"zip", SubmitterFieldIndex(R::Text::ZipCode)},
      {"contact", SubmitterFieldIndex(R::Text::ContactName)},
      {"phone", SubmitterFieldIndex(R::Text::ContactPhone)},
      {"extension", SubmitterFieldIndex(R::Text::ContactPhoneExtension)},
      {"email", SubmitterFieldIndex(R::Text::ContactEmail)},
      {"fax", SubmitterFieldIndex(R::Text::ContactFax)},
      {"notify", SubmitterFieldIndex(R::Text::ProblemNotifcationCode)},
      {"preparer", SubmitterFieldIndex(R::Text::PreparerCode)},
  };
  const CommandOption own[] = {kOut, kCheckOnly, {"state-records", false}};
  const auto parsed =
      ParseArguments<R>(command, fields, options, args, err, std::span(own).first(corrections ? 2 : 3));
  if (!parsed) return 2;
  if (!parsed->Has(kCheckOnly.name) && !OutputPath(command, *parsed, err)) return 2;
  // A company that cannot be written is still checked and filed.
  if (!LoadCompany(doc, ui, parsed->company, err, CompanyUse::ReadOnly)) return 1;

  // As the dialog's OK does: the fields over the stored submitter, saved at once.
  PageValues values = LoadSubmitterDialog(doc.GetSubmitter(), doc.GetCompany());
  if (!FillFields<R>(fields, options, *parsed, values, err)) return 1;
  if (!UseFields(doc, doc.GetSubmitter(), ReadSubmitterDialog(values, doc.GetSubmitter()), SaveSubmitter,
                 "submitter", err))
    return 1;
  if (corrections) {
    const auto result = MakeEfw2cFile(doc);
    return Finish(result.report, result.bytes, Efw2cSummary(result), "corrections file", *parsed, out, err);
  }
  efile::Efw2Options options2;
  options2.stateRecords = parsed->Has("state-records");
  const auto result = MakeEfw2File(doc, options2);
  return Finish(result.report, result.bytes, Efw2Summary(result), "wage file", *parsed, out, err);
}

int Efile1099Command(CGlobalDoc& doc, CommandLineUi& ui, const std::vector<std::string>& args, std::ostream& out,
                     std::ostream& err) {
  using R = TransmitterRecord;
  const auto fields = TransmitterFields();
  const Option options[] = {
      {"tin", TransmitterFieldIndex(R::Text::TransmitterTIN)},
      {"tcc", TransmitterFieldIndex(R::Text::TransmitterControlCode)},
      {"name", TransmitterFieldIndex(R::Text::TransmitterName)},
      {"name2", TransmitterFieldIndex(R::Text::TransmitterNameContinuation)},
      {"company", TransmitterFieldIndex(R::Text::CompanyName)},
      {"company2", TransmitterFieldIndex(R::Text::CompanyNameContinuation)},
      {"address", TransmitterFieldIndex(R::Text::CompanyMailingAddress)},
      {"city", TransmitterFieldIndex(R::Text::CompanyCity)},
      {"state", TransmitterFieldIndex(R::Text::CompanyState)},
      {"zip", TransmitterFieldIndex(R::Text::CompanyZipCode)},
      {"contact", TransmitterFieldIndex(R::Text::ContactName)},
      {"phone", TransmitterFieldIndex(R::Text::ContactPhoneNumberAndExtension)},
      {"email", TransmitterFieldIndex(R::Text::ContactEmailAddress)},
      {"original", TransmitterFieldIndex(&R::FileTypeOriginal)},
      {"replacement", TransmitterFieldIndex(&R::FileTypeReplacement)},
      {"replaced-file", TransmitterFieldIndex(R::Text::ElectronicFileNameForAReplacementFile)},
      {"test", TransmitterFieldIndex(R::Text::TestFileIndicator)},
  };
  const CommandOption own[] = {kOut, kCheckOnly, {"combined-federal-state", false}, {"corrections", false}};
  const auto parsed = ParseArguments<R>(kEfile1099, fields, options, args, err, own);
  if (!parsed) return 2;
  if (!parsed->Has(kCheckOnly.name) && !OutputPath(kEfile1099, *parsed, err)) return 2;
  const auto flag = [&](const char* name) {
    const auto it = parsed->values.find(name);
    return it == parsed->values.end() ? -1 : it->second == "1" ? 1 : 0;
  };
  if (flag("original") == 1 && flag("replacement") == 1) {
    err << "formet-cli: a file is either --original or --replacement, not both\n";
    return 2;
  }
  // A company that cannot be written is still checked and filed.
  if (!LoadCompany(doc, ui, parsed->company, err, CompanyUse::ReadOnly)) return 1;

  PageValues values = LoadTransmitterDialog(doc.GetTransmitter(), doc.GetCompany());
  if (!FillFields<R>(fields, options, *parsed, values, err)) return 1;
  // One of the two kinds: choosing one clears the other.
  auto& original = values[TransmitterFieldIndex(&R::FileTypeOriginal)].choice;
  auto& replacement = values[TransmitterFieldIndex(&R::FileTypeReplacement)].choice;
  if (flag("original") == 1 || flag("replacement") == 0) original = 1, replacement = 0;
  if (flag("replacement") == 1 || flag("original") == 0) replacement = 1, original = 0;
  if (!UseFields(doc, doc.GetTransmitter(), ReadTransmitterDialog(values, doc.GetTransmitter()), SaveTransmitter,
                 "transmitter", err))
    return 1;
  efile::Irs1099Options options2;
  options2.combinedFederalState = parsed->Has("combined-federal-state");
  if (parsed->Has("corrections")) {
    const auto result = Make1099CorrectionsFile(doc, options2);
    return Finish(result.report, result.bytes, Irs1099Summary(result), "corrections file", *parsed, out, err);
  }
  const auto result = Make1099File(doc, options2);
  return Finish(result.report, result.bytes, Irs1099Summary(result), "information return file", *parsed, out, err);
}

}  // namespace

bool IsEfilingCommand(const std::string& command) {
  return command == kEfw2 || command == kEfw2c || command == kEfile1099;
}

int RunEfilingCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::string& command,
                      const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (command == kEfw2 || command == kEfw2c) return Efw2Command(doc, ui, command.c_str(), args, out, err);
  if (command == kEfile1099) return Efile1099Command(doc, ui, args, out, err);
  return 2;
}

}  // namespace formet::cli
