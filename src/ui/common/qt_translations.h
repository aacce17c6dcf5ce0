#pragma once

// Qt's own dialogs and buttons (the file dialog, an input box's "OK" and
// "Cancel") in the language of the user's regional settings.

class QLocale;

// Replaces the translation installed before, if any; false where Qt has none
// for that language.
bool useQtTranslations(const QLocale &locale);
