#pragma once
// The submitter of the SSA wage file: the company file's submitter record
// (table EFiling_W2_Submitter), edited in the "W-2 Wage File (EFW2)" dialog
// and from formet-cli, saved like every other record.
#include <span>
#include <string>

#include "forms/w2/efw2_file.h"
#include "records/change_result.h"
#include "records/field_table.h"
#include "store/records.h"

namespace formet {

class CGlobalDoc;

// The groups of the dialog's fields (FieldSpec::tab).
enum SubmitterGroup : int { kSubmitterIdentity = 0, kSubmitterFile = 1, kSubmitterContact = 2 };
std::span<const char* const> SubmitterGroupCaptions();

// The dialog's fields, group by group. Each text can hold what its field in
// the file holds, no more.
std::span<const FieldSpec<SubmitterRecord>> SubmitterFields();
size_t SubmitterFieldIndex(TextMember<SubmitterRecord> member);

// The fields of a stored submitter. A blank record (never filled in) starts
// from the company: its name, address and W-3 contact, e-mail notification
// and "self-prepared".
PageValues LoadSubmitterDialog(const SubmitterRecord& stored, const CompanyRecord& company);
// The stored record with the dialog's fields read into it.
SubmitterRecord ReadSubmitterDialog(const PageValues& values, const SubmitterRecord& stored);

// Stores the submitter in the open company and writes it to the file at
// once (nothing when it is unchanged).
ChangeResult SaveSubmitter(CGlobalDoc& doc, const SubmitterRecord& record);

// The wage file of the open company.
efile::Efw2Result MakeEfw2File(CGlobalDoc& doc, const efile::Efw2Options& options);

// What a written wage file holds, for the user: the forms, the records and
// the totals that equal the W-3.
std::string Efw2Summary(const efile::Efw2Result& result);

}  // namespace formet
