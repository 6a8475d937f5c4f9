#include "forms/form_pictures.h"

#include "forms/1099/form1099_pictures.h"
#include "forms/w2/w2_pictures.h"
#include "forms/w2/w2c_pictures.h"
#include "forms/w2/w3_pictures.h"

namespace formet {

std::vector<FormPicture> AllFormPictures() {
  std::vector<FormPicture> all;
  all.push_back(W2CopyPicture());
  for (int copy = 6; copy <= 9; ++copy) all.push_back(W2InstructionPage(copy));
  all.push_back(W2FourUpPicture());
  all.push_back(W2CopyAPicture());
  all.push_back(W3CopyPicture());
  all.push_back(W3LaserPicture());
  all.push_back(W2cPicture());
  all.push_back(W3cPicture());
  all.push_back(Form1099CopyPicture());
  all.push_back(Form1099InstructionPage(4));
  all.push_back(Form1099InstructionPage(5));
  all.push_back(Form1096CopyPicture());
  return all;
}

}  // namespace formet
