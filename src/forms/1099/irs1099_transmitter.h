#pragma once
// The transmitter of the IRS information return file: the company file's
// transmitter record (table EFiling_1099_Transmitter), edited in the
// "1099-MISC Information Return File" dialog and from formet-cli, saved like
// every other record.
#include <span>
#include <string>

#include "forms/1099/irs1099_file.h"
#include "records/change_result.h"
#include "records/field_table.h"
#include "store/records.h"

namespace formet {

class CGlobalDoc;

// The groups of the dialog's fields (FieldSpec::tab).
enum TransmitterGroup : int { kTransmitterIdentity = 0, kTransmitterFile = 1, kTransmitterCompany = 2 };
std::span<const char* const> TransmitterGroupCaptions();

// The dialog's fields, group by group. Each text can hold what its field in
// the file holds, no more.
std::span<const FieldSpec<TransmitterRecord>> TransmitterFields();
size_t TransmitterFieldIndex(TextMember<TransmitterRecord> member);
size_t TransmitterFieldIndex(int32_t TransmitterRecord::*member);

// The fields of a stored transmitter. A blank record (never filled in)
// starts from the company: its identification number, name, address and
// 1096 contact, as an original file.
PageValues LoadTransmitterDialog(const TransmitterRecord& stored, const CompanyRecord& company);
// The stored record with the dialog's fields read into it. The file is
// either original or a replacement: checking one clears the other, and a
// file that is neither is taken as original.
TransmitterRecord ReadTransmitterDialog(const PageValues& values, const TransmitterRecord& stored);

// Stores the transmitter in the open company and writes it to the file at
// once (nothing when it is unchanged).
ChangeResult SaveTransmitter(CGlobalDoc& doc, const TransmitterRecord& record);

// The information return file of the open company.
efile::Irs1099Result Make1099File(CGlobalDoc& doc, const efile::Irs1099Options& options);

// What a written file holds, for the user: the forms, the records and the
// totals that equal the 1096.
std::string Irs1099Summary(const efile::Irs1099Result& result);

}  // namespace formet
