#pragma once

#include <QString>
#include <QCoreApplication>

// The program's texts are written once, in Thai, through Qt's translation system (tr(),
// QCoreApplication::translate); their English lives in i18n/namkhao_en.ts, built into the
// library as :/i18n/namkhao_en.qm.
namespace Translation {

// The one switch of the user's language: sets the session's ThaiLanguage (when there is a
// session) and installs the English translator for an English user, removes it for a Thai one.
// Start-up calls it with the user's LanguageNo; tests switch a session to English through it.
void useLanguage(bool thai);

// The English translator is installed.
bool englishInUse();

// A text in English whatever the language in use (the texts shown in both languages before the
// user is known); the Thai source when it has no translation.
QString english(const char* context, const char* source, const char* disambiguation = nullptr, int n = -1);

// A text in the language the caller names: the Thai as written, or its English. For what is said
// in a fixed language whatever the user's (printed layouts in Thai) and for rules told the
// language by their caller; mark the text with QT_TRANSLATE_NOOP(context, text) so it is in the
// .ts.
QString inLanguage(bool thai, const char* context, const char* source, const char* disambiguation = nullptr);

} // namespace Translation
