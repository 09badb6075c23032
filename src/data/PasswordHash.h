#pragma once
#include <QString>

// Passwords of the configuration database's users. New passwords are stored as salted
// Argon2id hashes in libsodium's text form ("$argon2id$v=19$m=...,t=...,p=1$salt$hash"); a
// stored text of any other form is a plain password of older suite data and still signs in.
namespace PasswordHash {

// Throws NkError when the library cannot start or the hash cannot be made (memory).
QString hash(const QString& password);
bool isHash(const QString& stored);
// True when `typed` is the stored password. A hash is verified; a plain password must match
// exactly (letter case included); blanks padding a stored plain password are not part of it.
bool verify(const QString& stored, const QString& typed);

} // namespace PasswordHash
