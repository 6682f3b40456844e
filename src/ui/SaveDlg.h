// The save-options dialog: which bet files to write, and whether to write them when a day is loaded. It has
// no logic of its own; its owner fills the boxes from the settings before each showing.
#pragma once

#include <QDialog>

#include "settings/TalpoIni.h"

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace talpo {

class TSaveForm : public QDialog {
    Q_OBJECT

public:
    explicit TSaveForm(QWidget* parent = nullptr);

    void SetOptions(const SaveSettings& options);
    SaveSettings Options() const;

    QGroupBox* GroupBox1;
    QCheckBox* CheckBox1;  // detailed report
    QCheckBox* CheckBox2;  // VOTA bet file
    QCheckBox* CheckBox3;  // RDX bet file
    QCheckBox* CheckBox4;  // save automatically when a day is loaded
    QPushButton* Button1;  // OK
    QPushButton* Button2;  // Cancel
};

}  // namespace talpo
