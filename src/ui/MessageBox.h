// Every message box of the window program goes through here, so that each one stands where the user looks:
// centred on the window it belongs to while that window is shown, else centred on the screen. Qt's own
// placement puts a box whose parent is hidden, or not placed yet, at the parent's corner, which for a
// window never shown is the top-left corner of the screen.
#pragma once

#include <QMessageBox>
#include <QPoint>
#include <QSize>
#include <memory>

class QString;
class QWidget;

namespace talpo {

// How many lines of a text a box shows; the whole text goes behind its details button, which scrolls.
inline constexpr int kBoxLines = 20;

// Shows a modal box with one OK button. `owner` is any widget of the window it belongs to, or nullptr.
// A text of more than kBoxLines lines shows its first lines and keeps the whole behind the details, so
// that the box and its button stay on the screen.
void ShowMessageBox(QWidget* owner, QMessageBox::Icon icon, const QString& caption, const QString& text);

// The same box, not yet shown, for a caller that runs it itself (with other buttons).
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                                            const QString& text,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// The top-left corner that centres a box of `size` (its frame included) on the owner's window when that
// window is shown, or on the screen's free area (the owner's screen, else the primary one) when it is not.
QPoint CentredBoxPlace(const QWidget* owner, QSize size);

}  // namespace talpo
