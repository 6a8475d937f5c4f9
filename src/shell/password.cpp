#include "shell/password.h"

#include <sodium.h>

#include "store/settings_store.h"

namespace formet {
namespace {

const std::string kKey = std::string(kSettingsRoot) + "\\Password";
constexpr const char* kValue = "Hash";

bool SodiumReady() {
  static const bool ready = sodium_init() >= 0;
  return ready;
}

}  // namespace

std::string PasswordStore::StoredHash() const { return settings_.ReadTextOr(kKey, kValue, ""); }

bool PasswordStore::IsSet() const { return !StoredHash().empty(); }

bool PasswordStore::Matches(const std::string& typed) const {
  const std::string hash = StoredHash();
  if (hash.empty()) return typed.empty();
  if (!SodiumReady()) return false;
  return crypto_pwhash_str_verify(hash.c_str(), typed.data(), typed.size()) == 0;
}

bool PasswordStore::Set(const std::string& password) {
  if (password.empty()) return settings_.WriteText(kKey, kValue, "");
  char hash[crypto_pwhash_STRBYTES];
  if (!SodiumReady() ||
      crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                        crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
    return false;
  // Read back: only a hash that is really there protects anything.
  return settings_.WriteText(kKey, kValue, hash) && StoredHash() == hash;
}

PasswordChange ChangePassword(PasswordStore& store, const std::string& oldTyped, const std::string& newTyped,
                              const std::string& confirmTyped) {
  if (!store.Matches(oldTyped)) return PasswordChange::WrongOldPassword;
  if (newTyped != confirmTyped) return PasswordChange::Mismatch;
  if (!store.Set(newTyped)) return PasswordChange::NotStored;
  return PasswordChange::Changed;
}

}  // namespace formet
