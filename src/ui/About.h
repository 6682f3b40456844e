// The version dialog: the title picture with the support address over it, and the product, version and
// rights lines below. Its owner sets the version and rights lines before each showing.
#pragma once

#include <QDialog>

#include "common/Version.h"

class QFrame;
class QLabel;
class QPushButton;

namespace talpo {

class TAboutForm : public QDialog {
    Q_OBJECT

public:
    explicit TAboutForm(QWidget* parent = nullptr);

    // Sets Label4 and Label5, each sized to its text.
    void SetVersionLines(const QString& version, const QString& rights);

    QFrame* Panel1;       // the picture's frame: its raised outer bevel
    QFrame* Panel1Inner;  // and its lowered inner bevel
    QLabel* Image1;       // the title picture
    QLabel* Label1;       // "サポート先"
    QLabel* Label2;       // "E-Mail"
    QLabel* Panel2;       // the support address
    QFrame* Panel3;       // the text lines' frame
    QLabel* Label3;       // product line
    QLabel* Label4;       // version
    QLabel* Label5;       // rights notice
    QPushButton* Button1;
};

// The rights notice the prediction window puts into the dialog beside kVersionText (common/Version.h); the
// splash and the start window show both too. It must fit the 172 pixels between its place on the title
// picture and the picture's edge.
inline constexpr const char* kRightsText = "(C) 1998 TALPO Project";

}  // namespace talpo
