#include "forms/w2/box12_codes.h"

#include "forms/money.h"
#include "kit/ascii_text.h"

namespace formet {

bool IsBox12Code(std::string_view typed) {
  const std::string code = UpperAscii(typed);
  if (code == "AA" || code == "BB") return true;
  if (code.size() != 1) return false;
  // Letters the 2007 form leaves out: I, O, U and X.
  const char c = code[0];
  return c >= 'A' && c <= 'Z' && c != 'I' && c != 'O' && c != 'U' && c != 'X';
}

std::string InvalidBox12CodeMessage(std::string_view typed) {
  return "\"" + std::string(typed) +
         "\" is not a box 12 code of the 2007 Form W-2.\n\n"
         "The valid codes are A through H, J through N, P through T, V, W, Y, Z, AA and BB.";
}

std::string HoldBox12Code(std::string_view typed) {
  const std::string code = UpperAscii(typed);
  if (code == "AA") return "0";
  if (code == "BB") return "1";
  return code;
}

std::string ShowBox12Code(std::string_view held) {
  if (held == "0") return "AA";
  if (held == "1") return "BB";
  return std::string(held);
}

std::optional<std::string> Box12LineProblem(const char* line, std::string_view code, std::string_view amount) {
  const bool hasAmount = ParseMoneyCents(amount) != 0;
  if (code.empty() && hasAmount)
    return std::string("Box ") + line + " has an amount but no code: please enter the code the amount is for, "
                                        "or clear the amount.";
  if (!code.empty() && !hasAmount)
    return std::string("Box ") + line + " has the code " + std::string(code) +
           " but no amount: please enter the amount, or clear the code.";
  return std::nullopt;
}

bool IsDeferredCompensationCode(std::string_view held) {
  const std::string code = UpperAscii(ShowBox12Code(held));
  return code == "D" || code == "E" || code == "F" || code == "G" || code == "H" || code == "S" ||
         code == "Y" || code == "AA" || code == "BB";
}

}  // namespace formet
