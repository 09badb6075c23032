#include "data/PasswordHash.h"
#include "data/NkError.h"

#include <sodium.h>

namespace PasswordHash {

namespace {

void ensureSodium()
{
    static const int ready = sodium_init(); // 0 first time, 1 when already done
    if (ready < 0)
        throw NkError(QStringLiteral("The password library cannot start"));
}

// A copy of the secret that is wiped when it goes.
struct Secret {
    explicit Secret(const QString& text) : bytes(text.toUtf8()) {}
    ~Secret() { sodium_memzero(bytes.data(), size_t(bytes.size())); }
    QByteArray bytes;
};

} // namespace

QString hash(const QString& password)
{
    ensureSodium();
    const Secret pw(password);
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, pw.bytes.constData(), quint64(pw.bytes.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw NkError(QStringLiteral("Not enough memory to hash the password"));
    return QString::fromLatin1(out);
}

bool isHash(const QString& stored)
{
    return stored.startsWith(QLatin1String("$argon2id$")) || stored.startsWith(QLatin1String("$argon2i$"));
}

bool verify(const QString& stored, const QString& typed)
{
    ensureSodium();
    const Secret pw(typed);
    if (isHash(stored)) {
        const QByteArray h = stored.toLatin1();
        return crypto_pwhash_str_verify(h.constData(), pw.bytes.constData(), quint64(pw.bytes.size())) == 0;
    }
    QString plain = stored;
    while (!plain.isEmpty() && plain.back() == QLatin1Char(' '))
        plain.chop(1);
    const Secret expected(plain);
    // Compared in constant time, so the time of a refusal does not tell how much was right.
    return expected.bytes.size() == pw.bytes.size()
        && sodium_memcmp(expected.bytes.constData(), pw.bytes.constData(), size_t(pw.bytes.size())) == 0;
}

} // namespace PasswordHash
