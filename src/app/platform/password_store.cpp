#include "app/platform/password_store.h"

#include <QEventLoop>
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
#endif

}  // namespace

void PasswordStore::set_keychain_enabled(bool on) {
    g_keychain = on;
}

PasswordStore::PasswordStore(Settings& settings) : settings_(settings) {}

std::string PasswordStore::read(const std::string& user) {
#ifdef TARVEX_HAVE_QTKEYCHAIN
    if (g_keychain && !user.empty()) {
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
    if (g_keychain && !user.empty()) {
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
