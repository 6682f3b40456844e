// Message boxes placed by the program rather than by Qt.
#include "ui/MessageBox.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <QStringList>
#include <QWidget>
#include <algorithm>

#include "paper/QtText.h"

namespace talpo {
namespace {

// The first lines of a long text, and how many more there are.
QString ShortText(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() <= kBoxLines) return text;
    return lines.mid(0, kBoxLines).join(QLatin1Char('\n')) +
           U("\n… ほか %1 行 (全文は「詳細を表示」に)").arg(lines.size() - kBoxLines);
}

// The box finds its own size only as it is shown (QMessageBox sizes itself in its show event), so it is
// placed right after that, still before the window system maps it.
class TCentredMessageBox final : public QMessageBox {
public:
    TCentredMessageBox(QWidget* owner, Icon icon, const QString& caption, const QString& text,
                       StandardButtons buttons)
        : QMessageBox(icon, caption, ShortText(text), buttons, owner ? owner->window() : nullptr),
          owner_(owner) {
        if (ShortText(text) != text) setDetailedText(text);
        // A window manager keeps a window that stays on top (the splash, the progress window) above every
        // other layer, its transient boxes included: the box takes the same layer, where it comes above.
        if (owner != nullptr && owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            setWindowFlag(Qt::WindowStaysOnTopHint);
    }

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        // The frame as far as the window system has told it: nothing yet on some.
        move(CentredBoxPlace(owner_, frameGeometry().size()));
    }

private:
    const QWidget* owner_;
};

const QScreen* ScreenOf(const QWidget* window) {
    if (window != nullptr && window->screen() != nullptr) return window->screen();
    return QGuiApplication::primaryScreen();
}

}  // namespace

QPoint CentredBoxPlace(const QWidget* owner, QSize size) {
    const QWidget* window = owner != nullptr ? owner->window() : nullptr;
    QRect around;
    if (window != nullptr && window->isVisible() && !window->isMinimized()) {
        around = window->frameGeometry();
    } else if (const QScreen* screen = ScreenOf(window)) {
        around = screen->availableGeometry();
    } else {
        return {0, 0};
    }
    QRect box(QPoint(0, 0), size);
    box.moveCenter(around.center());
    // A window partly off the screen must not take its box along.
    if (const QScreen* screen = ScreenOf(window)) {
        const QRect area = screen->availableGeometry();
        if (box.width() <= area.width())
            box.moveLeft(std::clamp(box.left(), area.left(), area.right() + 1 - box.width()));
        if (box.height() <= area.height())
            box.moveTop(std::clamp(box.top(), area.top(), area.bottom() + 1 - box.height()));
    }
    return box.topLeft();
}

void ShowMessageBox(QWidget* owner, QMessageBox::Icon icon, const QString& caption, const QString& text) {
    MakeMessageBox(owner, icon, caption, text)->exec();
}

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                                            const QString& text, QMessageBox::StandardButtons buttons) {
    return std::make_unique<TCentredMessageBox>(owner, icon, caption, text, buttons);
}

}  // namespace talpo
