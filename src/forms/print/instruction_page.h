#pragma once
// An instruction page printed on the back of a copy: a heading across the
// page and its paragraphs in columns, with the form's name at the foot.
#include <string>
#include <vector>

#include "forms/print/form_picture.h"

namespace formet {

struct InstructionPage {
  std::string file, title;
  int width = 0, height = 0;
  std::string heading;     // across the top
  std::string subheading;  // beside it, smaller (may be empty)
  std::string footer;      // at the bottom left
  int columns = 3;  // the type is the largest that fits, 9 to 6 points
  std::vector<FlowParagraph> paragraphs;
};

FormPicture BuildInstructionPage(const InstructionPage& page);

}  // namespace formet
