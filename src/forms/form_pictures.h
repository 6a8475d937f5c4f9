#pragma once
// Every form picture of the blank-paper prints, as the build draws them into
// the files beside the programs.
#include <vector>

#include "forms/print/form_picture.h"

namespace formet {

std::vector<FormPicture> AllFormPictures();

}  // namespace formet
