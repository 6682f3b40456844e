// Qt's own texts in Japanese: the open dialog and the folder fields' context menu carry what Qt's
// Japanese translation gives them. The translation is loaded here as the program loads it, whatever the
// locale of the machine, and the expected texts are asked of it rather than written out.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <memory>

#include "ShellFixture.h"
#include "ui/QtJapanese.h"

namespace talpo::test {
namespace {

class QtJapaneseTest : public ShellTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(japanese.Loaded()) << "qtbase_ja in " << QtTranslationsFolder().toStdString();
    }

    // The text the translation gives; it must be one, and not the English source.
    QString Japanese(const char* context, const char* source) const {
        const QString text = japanese.Translator().translate(context, source);
        EXPECT_FALSE(text.isEmpty()) << context << " " << source;
        EXPECT_NE(text, QString::fromLatin1(source)) << context << " " << source;
        return text;
    }

    const TQtJapanese japanese;
};

QString LabelText(const QWidget* dialog, const char* name) {
    const auto* label = dialog->findChild<QLabel*>(QString::fromLatin1(name));
    return label != nullptr ? label->text() : QString();
}

TEST_F(QtJapaneseTest, TheOpenDialogSpeaksJapanese) {
    hooks.ChooseArchive = {};  // the real open dialog
    TMainForm& form = CreateForms();
    form.show();
    struct {
        bool seen = false;
        QString title, lookIn, fileName, fileType, open, cancel;
    } dialog;
    AnswerModal([&dialog](QWidget* modal) {
        auto* files = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(files, nullptr);
        dialog.seen = true;
        dialog.title = files->windowTitle();
        dialog.lookIn = LabelText(files, "lookInLabel");
        dialog.fileName = LabelText(files, "fileNameLabel");
        dialog.fileType = LabelText(files, "fileTypeLabel");
        auto* buttons = files->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        dialog.open = buttons->button(QDialogButtonBox::Open)->text();
        dialog.cancel = buttons->button(QDialogButtonBox::Cancel)->text();
        files->reject();
    });
    form.Button1Click();

    ASSERT_TRUE(dialog.seen);
    EXPECT_EQ(dialog.title, QString::fromUtf8("データファイルの選択"));
    EXPECT_EQ(dialog.lookIn, Japanese("QFileDialog", "Look in:"));
    EXPECT_EQ(dialog.fileName, Japanese("QFileDialog", "File &name:"));
    EXPECT_EQ(dialog.fileType, Japanese("QFileDialog", "Files of type:"));
    EXPECT_EQ(dialog.open, Japanese("QFileDialog", "&Open"));
    EXPECT_EQ(dialog.cancel, Japanese("QPlatformTheme", "Cancel"));
    EXPECT_TRUE(extractCalls.empty());
}

TEST_F(QtJapaneseTest, TheFolderFieldsContextMenuSpeaksJapanese) {
    CreateForms();
    auto* field = qobject_cast<QLineEdit*>(Child("InDirDisp"));
    ASSERT_NE(field, nullptr);
    const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) texts << action->text().section(QLatin1Char('\t'), 0, 0);
    EXPECT_TRUE(texts.contains(Japanese("QLineEdit", "&Copy"))) << texts.join(' ').toStdString();
    EXPECT_TRUE(texts.contains(Japanese("QLineEdit", "Select All"))) << texts.join(' ').toStdString();
}

}  // namespace
}  // namespace talpo::test
