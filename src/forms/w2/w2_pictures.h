#pragma once
// The W-2 artwork for blank paper, described as data: the copy drawn twice a
// sheet under Copies 1, 2, B, C and D ("Help1.svg"), the complete laser
// substitute for Copy A ("Updater.dll"), the 4-Up sheet of Copies B, C and 2
// ("5.qff") and the pages printed on the back of Copies B, C, 2 and D
// ("1.qff" to "4.qff"). Each is fitted to the blank-paper layout of the W-2
// print: every item printed falls inside its own box, below its label.
#include "forms/print/form_picture.h"

namespace formet {

FormPicture W2CopyPicture();
// What one of Copies 1, 2, B, C and D (blank copy types 1-5) adds to the
// picture they share, in that picture's units, drawn by the print over each
// form: Copy B's heavy borders of boxes 1 and 2, Copy D's Void box and its
// line on the Privacy Act notice. Nothing for the other copies.
FormPicture W2CopyAdditions(int blankCopyType);
FormPicture W2CopyAPicture();
FormPicture W2FourUpPicture();
// Blank copy types 6-9: the backs of Copies B, C, 2 and D.
FormPicture W2InstructionPage(int blankCopyType);

// The box each item of the W-2 goes in, by its name in the pictures: "a",
// "b", "c", "d", "e-first", "e-last", "e-suffix", "f", "1" to "11",
// "12a-code" and "12a" to "12d", "13-statutory", "13-retirement",
// "13-sick-pay", "14", and for each line n of the bottom band "15-state-n",
// "15-id-n", "16-n" to "20-n". The 4-Up sheet joins e and f into "ef".

}  // namespace formet
