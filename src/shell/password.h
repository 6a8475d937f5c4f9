#pragma once
// The program's password. One per user account; it locks the whole program.
// Only a salted, slow hash of it is stored (never the password or a
// reversible form), in the settings store. No stored value, or an empty one,
// means no password is set.
#include <string>

namespace formet {

class SettingsStore;

inline constexpr int kPasswordMaxLength = 30;

class PasswordStore {
 public:
  explicit PasswordStore(SettingsStore& settings) : settings_(settings) {}

  bool IsSet() const;
  // Byte for byte: letters are case-sensitive. The empty text matches when no
  // password is set.
  bool Matches(const std::string& typed) const;
  // The empty text removes the password. False when it could not be stored.
  bool Set(const std::string& password);

 private:
  std::string StoredHash() const;
  SettingsStore& settings_;
};

// What the "Change Password" dialog's OK leads to. NotStored: the settings
// could not be written, so the old password (or none) still holds.
enum class PasswordChange { Changed, WrongOldPassword, Mismatch, NotStored };

PasswordChange ChangePassword(PasswordStore& store, const std::string& oldTyped, const std::string& newTyped,
                              const std::string& confirmTyped);

inline constexpr const char* kPasswordIncorrect =
    "The password is incorrect. Letters in the password must be typed using the correct case. Make sure that Caps "
    "Lock is not accidentally on.";
inline constexpr const char* kOldPasswordIncorrect =
    "The old password is incorrect. Letters in passwords must be typed using the correct case. Make sure that Caps "
    "Lock is not accidentally on.";
inline constexpr const char* kPasswordsDontMatch =
    "The passwords you typed don't match. Type the new password in both text boxes.";
inline constexpr const char* kPasswordChanged = "Your password has been changed.";
inline constexpr const char* kPasswordNotStored =
    "The new password could not be saved in the settings file, so your password has not been changed.";
// When a password field did not take everything typed (a character outside
// Windows-1252, more than 30 characters): what was typed is not the password
// the user means, so it is neither checked nor stored.
inline constexpr const char* kPasswordNotTaken =
    "The password field did not take everything you typed:";
inline constexpr const char* kPasswordTypeAgain = "Please type the password again.";

}  // namespace formet
