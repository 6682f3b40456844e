// Layout of the version dialog, at its pixel positions.
#include "ui/About.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "paper/Fonts.h"
#include "paper/QtText.h"
#include "ui/TitlePicture.h"

namespace talpo {
namespace {

// Wording left open by the original design; these are this program's own.
constexpr const char* kSupportAddress = "support@talpo.example";
constexpr const char* kProductLine = "RDX競馬データ対応 予想プログラム TALPO";
constexpr int kBevelWidth = 3;

QLabel* Text(QWidget* parent, const char* name, QPoint at, const char* utf8) {
    auto* label = new QLabel(U(utf8), parent);
    label->setObjectName(name);
    label->move(at);
    label->adjustSize();
    return label;
}

QLabel* WhiteText(QWidget* parent, const char* name, QPoint at, const char* utf8) {
    QLabel* label = Text(parent, name, at, utf8);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

QFrame* Bevel(QWidget* parent, const char* name, QRect geometry, QFrame::Shadow shadow, int lineWidth) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    frame->setFrameStyle(QFrame::Panel | shadow);
    frame->setLineWidth(lineWidth);
    return frame;
}

// The lines of the lower panel stand centred whatever the font makes of their width.
void CentreAcross(QLabel* label, int width) {
    label->move((width - label->width()) / 2, label->y());
}

}  // namespace

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutForm");
    setWindowTitle(U("ﾊﾞｰｼﾞｮﾝ情報"));
    setFont(MakePGothicFont(12));
    setFixedSize(337, 301);

    // Panel1 as the start window's is built: a raised outer and a lowered inner bevel of 3 pixels each,
    // the picture filling what they enclose.
    Panel1 = Bevel(this, "Panel1", QRect(0, 0, 337, 217), QFrame::Raised, kBevelWidth);
    Panel1Inner = Bevel(Panel1, "Panel1Inner", QRect(3, 3, 331, 211), QFrame::Sunken, kBevelWidth);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName("Image1");
    Image1->setGeometry(6, 6, 325, 205);
    Image1->setScaledContents(true);
    Image1->setPixmap(MakeTitlePicture(QSize(325, 205)));
    // The three items lie on the picture, so they are children of the panel drawn after it.
    Label1 = WhiteText(Panel1, "Label1", QPoint(42, 180), "サポート先");
    Label2 = WhiteText(Panel1, "Label2", QPoint(110, 180), "E-Mail");
    Panel2 = new QLabel(U(kSupportAddress), Panel1);
    Panel2->setObjectName("Panel2");
    Panel2->setGeometry(150, 178, 145, 16);
    Panel2->setAlignment(Qt::AlignCenter);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setLineWidth(2);
    Panel2->setAutoFillBackground(true);
    // Navy text on white: white on navy read as a selected text.
    QPalette field = Panel2->palette();
    field.setColor(QPalette::Window, Qt::white);
    field.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Panel2->setPalette(field);

    Panel3 = Bevel(this, "Panel3", QRect(0, 218, 337, 83), QFrame::Sunken, 2);
    Label3 = Text(Panel3, "Label3", QPoint(78, 7), kProductLine);
    CentreAcross(Label3, Panel3->width());
    Label4 = Text(Panel3, "Label4", QPoint(140, 21), "");
    Label5 = Text(Panel3, "Label5", QPoint(100, 36), "");
    Button1 = new QPushButton(QStringLiteral("OK"), Panel3);
    Button1->setObjectName("Button1");
    Button1->setGeometry(131, 53, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutForm::SetVersionLines(const QString& version, const QString& rights) {
    Label4->setText(version);
    Label4->adjustSize();
    CentreAcross(Label4, Panel3->width());
    Label5->setText(rights);
    Label5->adjustSize();
    CentreAcross(Label5, Panel3->width());
}

}  // namespace talpo
