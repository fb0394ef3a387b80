#pragma once
// Where the RadioReference password is kept: the operating system's keychain (Secret Service,
// Keychain, Credential Manager, through qtkeychain) when the build has it and the keychain
// answers, otherwise the import settings store ("pass"), as the program always did. Without a
// session bus (console, CI) the keychain is not asked: the import settings serve quietly.
#include <QString>
#include <string>

namespace tarvex {

class Settings;

class PasswordStore {
  public:
    explicit PasswordStore(Settings& settings);
    std::string read(const std::string& user);
    void write(const std::string& user, const std::string& password);
    // "keychain" or "settings": where the last read or write went.
    QString backend() const { return backend_; }
    // Tests keep the keychain out of the way.
    static void set_keychain_enabled(bool on);
    // Whether a read would ask the keychain at all: built with qtkeychain, not switched off,
    // and (on Unix desktops) a session bus to reach it through.
    static bool keychain_reachable();

  private:
    Settings& settings_;
    QString backend_ = "settings";
};

}  // namespace tarvex
