// The save and version dialogs, the progress window's driver, and the drawn pictures.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "common/Cp932.h"
#include "paper/QtText.h"
#include "ui/About.h"
#include "ui/Progress.h"
#include "ui/SaveDlg.h"
#include "ui/TitlePicture.h"
#include "ui/ToolPictures.h"

namespace talpo {
namespace {

TEST(SaveFormTest, IsLaidOutWithItsTexts) {
    TSaveForm form;
    EXPECT_EQ(form.windowTitle(), U("買い目の保存"));
    EXPECT_EQ(form.size(), QSize(216, 196));
    EXPECT_EQ(form.GroupBox1->title(), U("保存するﾌｧｲﾙ"));
    EXPECT_EQ(form.GroupBox1->geometry(), QRect(15, 8, 185, 121));
    const struct {
        QCheckBox* box;
        QWidget* parent;
        QRect geometry;
        const char* caption;
    } boxes[] = {{form.CheckBox1, form.GroupBox1, {28, 24, 141, 17}, "詳細形式で保存する"},
                 {form.CheckBox2, form.GroupBox1, {28, 56, 141, 17}, "VOTA形式で保存する"},
                 {form.CheckBox3, form.GroupBox1, {28, 88, 141, 17}, "RDX形式で保存する"},
                 {form.CheckBox4, &form, {1, 136, 214, 17}, "上記の設定で予想時に自動保存する"}};
    for (const auto& b : boxes) {
        EXPECT_EQ(b.box->parentWidget(), b.parent);
        EXPECT_EQ(b.box->geometry(), b.geometry);
        EXPECT_EQ(b.box->text(), U(b.caption));
    }
    EXPECT_EQ(form.Button1->text(), "OK");
    EXPECT_TRUE(form.Button1->isDefault());
    EXPECT_EQ(form.Button1->geometry(), QRect(22, 160, 75, 25));
    EXPECT_EQ(form.Button2->text(), U("ｷｬﾝｾﾙ"));
    EXPECT_EQ(form.Button2->geometry(), QRect(118, 160, 75, 25));
}

TEST(SaveFormTest, BoxesCarryEachOptionOnItsOwn) {
    TSaveForm form;
    for (int bit = 0; bit < 4; ++bit) {
        const SaveSettings set{.Files = {.Syousai = bit == 0, .Vota = bit == 1, .Rdx = bit == 2},
                               .Auto = bit == 3};
        form.SetOptions(set);
        EXPECT_EQ(form.Options(), set);
        EXPECT_EQ(form.CheckBox1->isChecked(), bit == 0);
        EXPECT_EQ(form.CheckBox4->isChecked(), bit == 3);
    }
}

TEST(AboutFormTest, IsLaidOutWithThePictureAndTheVersionLines) {
    TAboutForm form;
    EXPECT_EQ(form.windowTitle(), U("ﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(form.size(), QSize(337, 301));
    // Panel1: a raised outer and a lowered inner bevel of 3 pixels each, the picture filling what they
    // enclose, as the start window's Panel1 is built.
    EXPECT_EQ(form.Panel1->geometry(), QRect(0, 0, 337, 217));
    EXPECT_EQ(form.Panel1->frameShadow(), QFrame::Raised);
    EXPECT_EQ(form.Panel1->lineWidth(), 3);
    EXPECT_EQ(form.Panel1Inner->parentWidget(), form.Panel1);
    EXPECT_EQ(form.Panel1Inner->geometry(), QRect(3, 3, 331, 211));
    EXPECT_EQ(form.Panel1Inner->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(form.Panel1Inner->lineWidth(), 3);
    EXPECT_EQ(form.Panel1Inner->contentsRect().translated(form.Panel1Inner->pos()), form.Image1->geometry());
    EXPECT_EQ(form.Image1->geometry(), QRect(6, 6, 325, 205));
    EXPECT_EQ(form.Label1->text(), U("サポート先"));
    EXPECT_EQ(form.Label1->pos(), QPoint(42, 180));
    EXPECT_EQ(form.Label2->text(), "E-Mail");
    EXPECT_EQ(form.Panel2->geometry(), QRect(150, 178, 145, 16));
    EXPECT_EQ(form.Panel2->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_EQ(form.Panel3->geometry(), QRect(0, 218, 337, 83));
    EXPECT_EQ(form.Button1->geometry(), QRect(131, 53, 75, 25));
    form.SetVersionLines(U(kVersionText), U(kRightsText));
    EXPECT_EQ(form.Label4->text(), "Version 1.0");
    EXPECT_GT(form.Label4->width(), 0);
    // The three lines stand centred in the panel, at their rows.
    for (const QLabel* line : {form.Label3, form.Label4, form.Label5})
        EXPECT_NEAR(line->geometry().center().x(), form.Panel3->width() / 2, 1)
            << line->objectName().toStdString();
    EXPECT_EQ(form.Label4->y(), 21);
    EXPECT_EQ(form.Label5->y(), 36);
}

TEST(ProgressDriverTest, ADayWithoutRacesShowsAnEmptyBarAndClosesAgain) {
    TProgressForm form;
    int waits = 0;
    TProgressDriver driver(form, [&](int) { ++waits; });
    driver.Begin(0);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.ProgressBar1->value(), 0);
    EXPECT_EQ(form.ProgressBar1->minimum(), 0);
    EXPECT_GT(form.ProgressBar1->maximum(), 0) << "not a busy indicator";
    driver.End();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(waits, 0);
}

TEST(ProgressDriverTest, CaptionsComeFromTheEngineInCp932) {
    TProgressForm form;
    TProgressDriver driver(form, {});
    driver.Begin(24);
    driver.RaceStarted(2, Sj("処理数3/24"), Sj("東京  11R  予想中"));
    driver.Pause(100);
    driver.RaceDone(3);
    EXPECT_EQ(form.Label1->text(), U("処理数3/24"));
    EXPECT_EQ(form.Label2->text(), U("東京  11R  予想中"));
    EXPECT_EQ(form.ProgressBar1->maximum(), 24);
    EXPECT_EQ(form.ProgressBar1->value(), 3);
    EXPECT_EQ(form.size(), QSize(184, 96));
    EXPECT_EQ(form.ProgressBar1->geometry(), QRect(17, 32, 150, 16));
    EXPECT_EQ(form.Label2->geometry(), QRect(16, 8, 153, 12));
    EXPECT_EQ(form.Label1->geometry(), QRect(48, 64, 89, 12));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    driver.End();
}

TEST(PicturesTest, ToolPicturesAreSixteenPixelsEachDifferentAndGreyWhenDisabled) {
    std::vector<QImage> seen;
    for (int i = 0; i < 5; ++i) {
        const QImage on = MakeToolPicture(static_cast<TToolPicture>(i), true).toImage();
        const QImage off = MakeToolPicture(static_cast<TToolPicture>(i), false).toImage();
        EXPECT_EQ(on.size(), QSize(16, 16));
        EXPECT_EQ(off.size(), QSize(16, 16));
        EXPECT_NE(on, off);
        for (const QImage& other : seen) EXPECT_NE(on, other) << i;
        seen.push_back(on);
        bool coloured = false;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const QColor c = off.pixelColor(x, y);
                if (c.alpha() == 255) {
                    EXPECT_EQ(c.red(), c.green()) << i << " " << x << "," << y;
                }
                const QColor d = on.pixelColor(x, y);
                if (d.alpha() == 255 && (d.red() != d.green() || d.green() != d.blue())) coloured = true;
            }
        }
        EXPECT_TRUE(coloured) << i;
    }
}

TEST(PicturesTest, TitlePictureHasTheAskedSizeAndADarkFoot) {
    const QImage picture = MakeTitlePicture(QSize(325, 205)).toImage();
    EXPECT_EQ(picture.size(), QSize(325, 205));
    // White captions sit at 180 pixels from the top: the ground there is dark.
    EXPECT_LT(picture.pixelColor(20, 180).lightness(), 80);
}

}  // namespace
}  // namespace talpo
