// The splash window: the title picture with the version and the rights notice, shown while the start
// window is being created.
#pragma once

#include <QWidget>

class QLabel;

namespace talpo {

class TSplashForm : public QWidget {
    Q_OBJECT

public:
    explicit TSplashForm(QWidget* parent = nullptr);

    QLabel* Label1() const { return label1_; }  // the version line
    QLabel* Label2() const { return label2_; }  // the rights notice

    // Shows the window centred on the screen and paints it before returning, since the event loop is
    // not running yet when the splash goes up.
    void ShowNow();

private:
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
};

}  // namespace talpo
