// Qt's Japanese translation, loaded at start-up.
#include "ui/QtJapanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace talpo {

QString QtTranslationsFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

TQtJapanese::TQtJapanese() {
    // qtbase alone: the program uses nothing of Qt's other modules that shows text.
    loaded_ = translator_.load(QStringLiteral("qtbase_ja"), QtTranslationsFolder()) &&
              QCoreApplication::installTranslator(&translator_);
    if (!loaded_)
        qWarning("qtbase_ja.qm not found in %s: Qt's own texts stay in English",
                 qUtf8Printable(QtTranslationsFolder()));
}

TQtJapanese::~TQtJapanese() {
    if (loaded_) QCoreApplication::removeTranslator(&translator_);
}

}  // namespace talpo
