// Font substitutions for the gothic faces. Nothing on a stock Linux desktop aliases them, and the silent
// fallback (a Latin face) would change every measured column width, so the stand-ins are named here.
#include "paper/Fonts.h"

#include <QString>
#include <QStringList>
#include <mutex>

#include "paper/QtText.h"

namespace talpo {
namespace {

const QStringList& MonospacedStandIns() {
    static const QStringList list = {"IPAGothic", "VL Gothic", "TakaoGothic", "Noto Sans Mono CJK JP",
                                     "Noto Sans CJK JP"};
    return list;
}

const QStringList& ProportionalStandIns() {
    static const QStringList list = {"IPAPGothic", "VL PGothic", "TakaoPGothic", "Noto Sans CJK JP"};
    return list;
}

QFont MakeFont(const char* family, int pixelSize) {
    InstallFontSubstitutions();
    QFont font(U(family));
    font.setPixelSize(pixelSize);
    return font;
}

}  // namespace

void InstallFontSubstitutions() {
    static std::once_flag once;
    std::call_once(once, [] {
        QFont::insertSubstitutions(U(kGothicFamily), MonospacedStandIns());
        QFont::insertSubstitutions(QStringLiteral("MS Gothic"), MonospacedStandIns());
        QFont::insertSubstitutions(U(kPGothicFamily), ProportionalStandIns());
        QFont::insertSubstitutions(QStringLiteral("MS PGothic"), ProportionalStandIns());
    });
}

QFont MakeGothicFont(int pixelSize) {
    return MakeFont(kGothicFamily, pixelSize);
}

QFont MakePGothicFont(int pixelSize) {
    return MakeFont(kPGothicFamily, pixelSize);
}

}  // namespace talpo
