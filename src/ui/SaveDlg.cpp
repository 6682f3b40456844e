// Layout of the save-options dialog, at its pixel positions.
#include "ui/SaveDlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

#include "paper/Fonts.h"
#include "paper/QtText.h"

namespace talpo {
namespace {

QCheckBox* Box(QWidget* parent, const char* name, QRect geometry, const char* utf8Caption) {
    auto* box = new QCheckBox(U(utf8Caption), parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

QPushButton* Button(QWidget* parent, const char* name, QRect geometry, const char* utf8Caption) {
    auto* button = new QPushButton(U(utf8Caption), parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

}  // namespace

TSaveForm::TSaveForm(QWidget* parent) : QDialog(parent) {
    setObjectName("SaveForm");
    setWindowTitle(U("買い目の保存"));
    setFont(MakePGothicFont(12));
    setFixedSize(216, 196);

    GroupBox1 = new QGroupBox(U("保存するﾌｧｲﾙ"), this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(15, 8, 185, 121);
    CheckBox1 = Box(GroupBox1, "CheckBox1", QRect(28, 24, 141, 17), "詳細形式で保存する");
    CheckBox2 = Box(GroupBox1, "CheckBox2", QRect(28, 56, 141, 17), "VOTA形式で保存する");
    CheckBox3 = Box(GroupBox1, "CheckBox3", QRect(28, 88, 141, 17), "RDX形式で保存する");
    CheckBox4 = Box(this, "CheckBox4", QRect(1, 136, 214, 17), "上記の設定で予想時に自動保存する");

    Button1 = Button(this, "Button1", QRect(22, 160, 75, 25), "OK");
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    Button2 = Button(this, "Button2", QRect(118, 160, 75, 25), "ｷｬﾝｾﾙ");
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TSaveForm::SetOptions(const SaveSettings& options) {
    CheckBox1->setChecked(options.Files.Syousai);
    CheckBox2->setChecked(options.Files.Vota);
    CheckBox3->setChecked(options.Files.Rdx);
    CheckBox4->setChecked(options.Auto);
}

SaveSettings TSaveForm::Options() const {
    return {.Files = {.Syousai = CheckBox1->isChecked(),
                      .Vota = CheckBox2->isChecked(),
                      .Rdx = CheckBox3->isChecked()},
            .Auto = CheckBox4->isChecked()};
}

}  // namespace talpo
