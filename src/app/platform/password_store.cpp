#include "app/platform/password_store.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include "core/radioref/rr_settings.h"
#include "core/settings/settings.h"

#ifdef TARVEX_HAVE_QTKEYCHAIN
#include <qt6keychain/keychain.h>
#endif

namespace tarvex {

namespace {

bool g_keychain = !qEnvironmentVariableIsSet("TARVEX_NO_KEYCHAIN");
constexpr const char* k_service = "Tarvex RadioReference";

#ifdef TARVEX_HAVE_QTKEYCHAIN
// Runs a keychain job to its end; a keychain that does not answer within 5 s counts as absent.
bool run(QKeychain::Job& job) {
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    job.setAutoDelete(false);
    job.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return job.error() == QKeychain::NoError;
}

// The keychain of a Unix desktop is a service on the session bus: without one (a console, a
// CI job, ssh) asking would only start a bus launcher that fails or waits, so we do not ask.
bool session_bus_present() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + "/bus");
#else
    return true;
#endif
}

bool keychain_usable(const std::string& user) {
    return g_keychain && !user.empty() && session_bus_present();
}
#endif

}  // namespace

bool PasswordStore::keychain_reachable() {
#ifdef TARVEX_HAVE_QTKEYCHAIN
    return g_keychain && session_bus_present();
#else
    return false;
#endif
}

void PasswordStore::set_keychain_enabled(bool on) {
    g_keychain = on;
}

PasswordStore::PasswordStore(Settings& settings) : settings_(settings) {}

std::string PasswordStore::read(const std::string& user) {
#ifdef TARVEX_HAVE_QTKEYCHAIN
    if (keychain_usable(user)) {
        QKeychain::ReadPasswordJob job(k_service);
        job.setKey(QString::fromLatin1(user.c_str()));
        if (run(job)) {
            backend_ = "keychain";
            return job.textData().toLatin1().toStdString();
        }
    }
#endif
    backend_ = "settings";
    return settings_.GetImportSetting(radioref::k_key_pass, "x");
}

void PasswordStore::write(const std::string& user, const std::string& password) {
#ifdef TARVEX_HAVE_QTKEYCHAIN
    if (keychain_usable(user)) {
        QKeychain::WritePasswordJob job(k_service);
        job.setKey(QString::fromLatin1(user.c_str()));
        job.setTextData(QString::fromLatin1(password.c_str()));
        if (run(job)) {
            backend_ = "keychain";
            // The keychain holds it now: no second copy in plain text.
            settings_.SaveImportSetting(radioref::k_key_pass, "");
            return;
        }
    }
#endif
    backend_ = "settings";
    settings_.SaveImportSetting(radioref::k_key_pass, password);
}

}  // namespace tarvex
