#pragma once
// The 1099-MISC and 1096 artwork for blank paper, described as data: the
// 1099-MISC copy drawn twice a sheet under Copies 1, B, 2 and C
// ("Help3.svg"), the pages printed on the back of Copies B and C ("6.qff",
// "7.qff"), and the 1096 copy ("Help4.svg", which the print stamps "COPY").
//
// 1099-MISC boxes: "payer", "payer-tin", "recipient-tin", "recipient-name",
// "street", "city", "account", the check boxes "second-tin" and "9", "1" to
// "8", "10", "13", "14", "15a", "15b", and "16-n", "17-n", "18-n" for the two
// state lines; the copies' additions hold the check boxes "void" and
// "corrected".
// 1096 boxes: "filer-name", "street", "city", "contact", "email",
// "telephone", "fax", "1" to "5", and the check boxes "final-return" and
// "type-1099-misc" (with the other types, "type-" and their names).
#include "forms/print/form_picture.h"

namespace formet {

FormPicture Form1099CopyPicture();
// The CORRECTED check box lies this far right of the VOID box, in the
// picture's units (which the print draws at their size).
inline constexpr int kForm1099CorrectedRightOfVoid = 205;
// What each copy (0-3: Copies 1, B, 2 and C) adds to the picture they share,
// in its units, drawn by the print over each form: the VOID box of Copies 1
// and C, and the CORRECTED box ("CORRECTED (if checked)" on Copy B).
FormPicture Form1099CopyAdditions(int copy);
// The same for the red-ink Copy A, which the program does not print but
// shows behind red-ink data: "9595", VOID, CORRECTED and Copy A's caption.
FormPicture Form1099CopyAAdditions();
// Copy types 4 and 5: the backs of Copies B and C.
FormPicture Form1099InstructionPage(int copy);
FormPicture Form1096CopyPicture();

}  // namespace formet
