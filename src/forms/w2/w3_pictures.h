#pragma once
// The W-3 artwork for blank paper, described as data: the copy ("Help2.svg",
// which the print stamps "COPY") and the complete laser substitute
// ("Contactus.msg"). Each is fitted to its variant of the W-3 layout.
//
// Boxes: "a", the Kind of Payer check boxes "b-941", "b-military", "b-943",
// "b-944", "b-ct-1", "b-household", "b-medicare" and "b-sick-pay", "c", "d",
// "e", "f", "g", "h", "1" to "14", "15-state", "15-id", "16" to "19",
// "contact", "telephone", "email" and "fax".
#include "forms/print/form_picture.h"

namespace formet {

FormPicture W3CopyPicture();
FormPicture W3LaserPicture();

}  // namespace formet
