#pragma once
// The W-2c and W-3c artwork for blank paper, described as data: the W-2c one
// form a page ("W2c.svg", under Copies 1, B, C, 2 and D and the black-and-white
// laser substitute for Copy A, the print adding the copy's caption), and the
// W-3c ("W3c.svg"). The labels of the W-2c's numbered boxes are those of the
// W-2c's own description (W2cBoxes).
//
// W-2c boxes: "a", "b", "c" (check box), "d", "e-first", "e-last", "e-suffix",
// "f", "g", "h", "i"; for each numbered box KEY of W2cBoxes ("1" ... "20.2")
// "KEY-prev" and "KEY-correct"; box 12's lines "12a-prev-code", "12a-prev",
// "12a-correct-code", "12a-correct" ... "12d-correct"; box 13's check boxes
// "13-statutory-prev" ... "13-sick-pay-correct"; "copy", where the print puts
// the copy's caption.
//
// W-3c boxes: "a", "b", the Kind of Payer check boxes "c-941", "c-military",
// "c-943", "c-944", "c-ct-1", "c-household", "c-medicare", "c-sick-pay", "d"
// to "j", "1-prev" ... "12-correct" and "16-prev" ... "19-correct",
// "explain", "contact", "telephone", "email", "fax".
#include "forms/print/form_picture.h"

namespace formet {

inline constexpr const char* kW2cPicture = "W2c.svg";
inline constexpr const char* kW3cPicture = "W3c.svg";
inline constexpr int kW2cPictureWidth = 1900, kW2cPictureHeight = 2400;
inline constexpr int kW3cPictureWidth = 1900, kW3cPictureHeight = 2100;

FormPicture W2cPicture();
FormPicture W3cPicture();

}  // namespace formet
