// System colours resolved against the widget palette, so the windows follow the desktop's theme.
#include "ui/Colors.h"

#include <QColor>
#include <QPalette>
#include <array>
#include <cstdlib>

namespace talpo {
namespace {

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Indexed by the system colour index. Where the palette has no exact counterpart the nearest role in look
// is taken (menus and borders are window-coloured, the button shadow is the palette's dark shade).
constexpr std::array<SystemRole, 25> kSystemRoles = {{
    {QPalette::Active, QPalette::Button},             // clScrollBar
    {QPalette::Active, QPalette::Dark},               // clBackground (the desktop)
    {QPalette::Active, QPalette::Highlight},          // clActiveCaption
    {QPalette::Inactive, QPalette::Highlight},        // clInactiveCaption
    {QPalette::Active, QPalette::Window},             // clMenu
    {QPalette::Active, QPalette::Base},               // clWindow
    {QPalette::Active, QPalette::Shadow},             // clWindowFrame
    {QPalette::Active, QPalette::WindowText},         // clMenuText
    {QPalette::Active, QPalette::Text},               // clWindowText
    {QPalette::Active, QPalette::HighlightedText},    // clCaptionText
    {QPalette::Active, QPalette::Window},             // clActiveBorder
    {QPalette::Inactive, QPalette::Window},           // clInactiveBorder
    {QPalette::Active, QPalette::Dark},               // clAppWorkSpace
    {QPalette::Active, QPalette::Highlight},          // clHighlight
    {QPalette::Active, QPalette::HighlightedText},    // clHighlightText
    {QPalette::Active, QPalette::Button},             // clBtnFace
    {QPalette::Active, QPalette::Dark},               // clBtnShadow
    {QPalette::Disabled, QPalette::Text},             // clGrayText
    {QPalette::Active, QPalette::ButtonText},         // clBtnText
    {QPalette::Inactive, QPalette::HighlightedText},  // clInactiveCaptionText
    {QPalette::Active, QPalette::Light},              // clBtnHighlight
    {QPalette::Active, QPalette::Shadow},             // cl3DDkShadow
    {QPalette::Active, QPalette::Midlight},           // cl3DLight
    {QPalette::Active, QPalette::ToolTipText},        // clInfoText
    {QPalette::Active, QPalette::ToolTipBase},        // clInfoBk
}};

}  // namespace

QColor ToQColor(TColor color, const QPalette& palette) {
    if (!IsSystemColor(color)) return QColor(RedOf(color), GreenOf(color), BlueOf(color));
    const TColor index = color & ~kSystemColorFlag;
    if (index >= kSystemRoles.size()) return QColor(0, 0, 0);
    const SystemRole& entry = kSystemRoles[index];
    return palette.color(entry.group, entry.role);
}

namespace {

// Perceived brightness, 0 to 255.
int Brightness(const QColor& c) {
    return (299 * c.red() + 587 * c.green() + 114 * c.blue()) / 1000;
}

}  // namespace

QColor ReadableOn(const QColor& text, const QColor& ground) {
    // Far enough apart for every colour pair the windows choose on purpose (white on green, black on
    // aqua); closer than this is a theme's colour meeting a fixed one.
    constexpr int kReadable = 80;
    const int under = Brightness(ground);
    if (std::abs(Brightness(text) - under) >= kReadable) return text;
    return under < 128 ? QColor(Qt::white) : QColor(Qt::black);
}

}  // namespace talpo
