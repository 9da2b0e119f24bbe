#include "options/PassphraseKeyring.h"

#include <qt6keychain/keychain.h>

#include <memory>
#include <optional>

namespace pulsewell {

namespace {

QString EntryKey(const QString& user, const char* which) {
    return QStringLiteral("snmpv3/%1/%2").arg(user, QLatin1String(which));
}

// One entry read: its text, or nothing when the keyring has none; false in
// `reached` when no keyring answered.
void ReadEntry(const QString& service, const QString& key,
               std::function<void(bool reached, std::optional<QString> text)> done) {
    auto* job = new QKeychain::ReadPasswordJob(service);
    job->setInsecureFallback(false);
    job->setKey(key);
    QObject::connect(job, &QKeychain::Job::finished, job, [job, done](QKeychain::Job*) {
        switch (job->error()) {
            case QKeychain::NoError:
                done(true, job->textData());
                break;
            case QKeychain::EntryNotFound:
                done(true, std::nullopt);
                break;
            default:
                done(false, std::nullopt);
                break;
        }
    });
    job->start();
}

void WriteEntry(const QString& service, const QString& key, const QString& text,
                std::function<void(bool kept)> done) {
    auto* job = new QKeychain::WritePasswordJob(service);
    job->setInsecureFallback(false);
    job->setKey(key);
    job->setTextData(text);
    QObject::connect(job, &QKeychain::Job::finished, job,
                     [job, done](QKeychain::Job*) { done(job->error() == QKeychain::NoError); });
    job->start();
}

QString CommunityKey(const QString& host) {
    // Hosts compare without regard to case, as the host list does.
    return QStringLiteral("community/%1").arg(host.toLower());
}

}  // namespace

SecretServiceKeyring::SecretServiceKeyring(const QString& service) : service_(service) {}

void SecretServiceKeyring::Read(const QString& user, ReadDone done) {
    const QString service = service_;
    ReadEntry(
        service, EntryKey(user, "auth"),
        [service, user, done](bool reached, std::optional<QString> auth) {
            if (!reached) {
                done(Outcome::Unreachable, {});
                return;
            }
            ReadEntry(
                service, EntryKey(user, "priv"),
                [auth, done](bool reached, std::optional<QString> priv) {
                    if (!reached) {
                        done(Outcome::Unreachable, {});
                    } else if (!auth && !priv) {
                        done(Outcome::NotFound, {});
                    } else {
                        done(Outcome::Done, {auth.value_or(QString()), priv.value_or(QString())});
                    }
                });
        });
}

void SecretServiceKeyring::Write(const QString& user, const V3Passphrases& passphrases,
                                 WriteDone done) {
    const QString service = service_;
    const QString priv = passphrases.Priv;
    WriteEntry(
        service, EntryKey(user, "auth"), passphrases.Auth, [service, user, priv, done](bool kept) {
            if (!kept) {
                done(Outcome::Unreachable);
                return;
            }
            WriteEntry(service, EntryKey(user, "priv"), priv,
                       [done](bool kept) { done(kept ? Outcome::Done : Outcome::Unreachable); });
        });
}

void SecretServiceKeyring::ReadCommunity(const QString& host, TextDone done) {
    ReadEntry(service_, CommunityKey(host), [done](bool reached, std::optional<QString> text) {
        if (!reached) {
            done(Outcome::Unreachable, QString());
        } else {
            done(text ? Outcome::Done : Outcome::NotFound, text.value_or(QString()));
        }
    });
}

void SecretServiceKeyring::WriteCommunity(const QString& host, const QString& community,
                                          WriteDone done) {
    WriteEntry(service_, CommunityKey(host), community,
               [done](bool kept) { done(kept ? Outcome::Done : Outcome::Unreachable); });
}

}  // namespace pulsewell
