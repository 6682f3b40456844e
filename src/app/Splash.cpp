// The splash window's layout: a raised panel of 418 x 258 around the 410 x 250 title picture.
#include "app/Splash.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "app/ShellLook.h"
#include "ui/About.h"
#include "ui/Progress.h"
#include "ui/TitlePicture.h"

namespace talpo {

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("SplashForm");
    setFixedSize(418, 258);

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setGeometry(0, 0, 418, 258);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);

    auto* image = new QLabel(panel);
    image->setObjectName("Image1");
    image->setGeometry(4, 4, 410, 250);
    image->setScaledContents(true);
    image->setPixmap(MakeTitlePicture(QSize(410, 250)));

    label1_ = MakeOverlayLabel(panel, "Label1", {304, 176}, Qt::white, 16, true);
    label2_ = MakeOverlayLabel(panel, "Label2", {240, 224}, Qt::yellow, 13, false);
}

void TSplashForm::ShowNow() {
    CenterOnScreen(*this);
    show();
    repaint();
    QGuiApplication::sync();
}

}  // namespace talpo
