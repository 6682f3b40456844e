// Qt's own texts in Japanese, as the program's own are: the file dialog ("Look in", "File name", "Open",
// "Cancel"), the buttons of message boxes and the context menus of edit fields. The translation is Qt's
// qtbase_ja from Qt's translations folder (Debian's qt6-translations-l10n), loaded whatever the locale of
// the machine, since the program speaks Japanese everywhere else.
#pragma once

#include <QString>
#include <QTranslator>

namespace talpo {

class TQtJapanese {
public:
    // Loads the translation and installs it into the application, which must exist. Without the file Qt's
    // texts stay in English and the program goes on.
    TQtJapanese();
    // Removes the translation from the application again.
    ~TQtJapanese();
    TQtJapanese(const TQtJapanese&) = delete;
    TQtJapanese& operator=(const TQtJapanese&) = delete;

    bool Loaded() const { return loaded_; }
    // The loaded translation, which tests ask for the texts they expect.
    const QTranslator& Translator() const { return translator_; }

private:
    QTranslator translator_;
    bool loaded_ = false;
};

// The folder Qt's translations are read from.
QString QtTranslationsFolder();

}  // namespace talpo
