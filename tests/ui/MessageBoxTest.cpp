// Where message boxes stand: centred on the window they belong to while it is shown, else on the screen;
// and the weight error of a race, which comes once each time the race is brought up, over the window.
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include "YosoFormTestBase.h"
#include "ui/MessageBox.h"

namespace talpo::test {
namespace {

struct SeenBox {
    QString Text;
    QRect Geometry;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

// Answers the next message box with OK once it is up, and records where it stood.
void AnswerNextBox(SeenBox& seen) {
    AnswerModal([&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen = {box->text(), box->frameGeometry(), box->icon()};
        box->button(QMessageBox::Ok)->click();
    });
}

QRect ScreenArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// Centres agree to the pixel that halving an odd size may lose.
void ExpectCentredOn(const QRect& box, const QRect& around) {
    EXPECT_NEAR(box.center().x(), around.center().x(), 1) << "box " << box.x() << "," << box.y();
    EXPECT_NEAR(box.center().y(), around.center().y(), 1) << "box " << box.x() << "," << box.y();
}

TEST(MessageBoxTest, ABoxOfAHiddenWindowIsCentredOnTheScreen) {
    QWidget hidden;
    hidden.setGeometry(0, 0, 300, 200);
    SeenBox seen;
    AnswerNextBox(seen);
    ShowMessageBox(&hidden, QMessageBox::Warning, QStringLiteral("caption"), QStringLiteral("hidden parent"));

    EXPECT_EQ(seen.Text, QStringLiteral("hidden parent"));
    EXPECT_EQ(seen.Icon, QMessageBox::Warning);
    ASSERT_FALSE(seen.Geometry.isEmpty());
    ExpectCentredOn(seen.Geometry, ScreenArea());
    EXPECT_GT(seen.Geometry.x(), 0);
    EXPECT_GT(seen.Geometry.y(), 0);
}

TEST(MessageBoxTest, ABoxWithoutWindowIsCentredOnTheScreen) {
    SeenBox seen;
    AnswerNextBox(seen);
    ShowMessageBox(nullptr, QMessageBox::Critical, QStringLiteral("caption"), QStringLiteral("no parent"));
    ExpectCentredOn(seen.Geometry, ScreenArea());
}

TEST(MessageBoxTest, ABoxOfAShownWindowIsCentredOnThatWindowFromAnyOfItsWidgets) {
    QWidget window;
    auto* child = new QWidget(&window);
    child->setGeometry(5, 5, 20, 20);
    window.setGeometry(30, 40, 500, 400);
    window.show();
    SeenBox seen;
    AnswerNextBox(seen);
    ShowMessageBox(child, QMessageBox::Warning, QStringLiteral("caption"), QStringLiteral("shown parent"));

    ExpectCentredOn(seen.Geometry, window.frameGeometry());
    EXPECT_NE(seen.Geometry.center(), ScreenArea().center());
}

TEST(MessageBoxTest, AWindowPartlyOffTheScreenKeepsItsBoxOnIt) {
    QWidget window;
    const QRect area = ScreenArea();
    window.setGeometry(area.right() - 100, area.bottom() - 60, 400, 300);
    window.show();
    const QPoint place = CentredBoxPlace(&window, QSize(300, 120));
    EXPECT_TRUE(area.contains(QRect(place, QSize(300, 120)))) << place.x() << "," << place.y();
}

// A day with hundreds of missing horses once made a box taller than the screen, its OK button out of reach.
TEST(MessageBoxTest, ALongListShowsItsFirstLinesAndKeepsTheWholeBehindTheDetails) {
    QStringList lines;
    for (int i = 1; i <= 300; ++i) lines << QStringLiteral("line %1").arg(i);
    const QString text = lines.join(QLatin1Char('\n'));
    QString shown;
    QString details;
    QRect geometry;
    AnswerModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        shown = box->text();
        details = box->detailedText();
        geometry = box->frameGeometry();
        box->button(QMessageBox::Ok)->click();
    });
    ShowMessageBox(nullptr, QMessageBox::Warning, QStringLiteral("caption"), text);

    EXPECT_EQ(shown.split(QLatin1Char('\n')).mid(0, kBoxLines), lines.mid(0, kBoxLines));
    EXPECT_TRUE(shown.endsWith(QString::fromUtf8("… ほか 280 行 (全文は「詳細を表示」に)")))
        << shown.toStdString();
    EXPECT_EQ(details, text);
    EXPECT_TRUE(ScreenArea().contains(geometry)) << geometry.height();
}

// ---- The weight error of a race ----

class WeightErrorTest : public YosoFormTestBase {
protected:
    // Races 1R and 3R carry a weight that is no number; 2R does not.
    void OpenThreeRaces() {
        UiDay day;
        for (int r = 0; r < 3; ++r) day.AddRace(4).RaceNo = "0" + std::to_string(r + 1);
        day.Races[0].Runners[1].Weight = "5x3";
        day.Races[2].Runners[0].Weight = "abc";
        // Each report notes whether the window stood shown when its box came; or the real box comes.
        if (realBoxes) {
            SetErrorReporter({});
        } else {
            SetErrorReporter([this](QWidget*, const std::string& text) {
                f.Errors.push_back(text);
                shownAtReport.push_back(form != nullptr && form->isVisible());
            });
        }
        OpenDay(day);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(form.get(), &press);
    }
    std::size_t Reports() const { return f.Errors.size(); }

    bool realBoxes = false;
    std::vector<bool> shownAtReport;
};

TEST_F(WeightErrorTest, TheBoxComesOnceTheWindowIsShownAndOncePerRaceBroughtUp) {
    OpenThreeRaces();
    ASSERT_EQ(Reports(), 1u);
    EXPECT_EQ(f.Errors[0], "'5x.3' は浮動小数点数ではありません");
    EXPECT_EQ(shownAtReport, std::vector<bool>{true});

    // Keys that move no cursor redraw the race without the box: a bare Ctrl (the start of Ctrl+S),
    // Shift, a letter, and PageUp on the first race.
    for (const int key :
         {int(Qt::Key_Control), int(Qt::Key_Shift), int(Qt::Key_A), int(Qt::Key_PageUp), int(Qt::Key_Up)}) {
        Key(key);
        EXPECT_EQ(Reports(), 1u) << key;
        EXPECT_EQ(Race(), 0);
    }
    Key(Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(Reports(), 1u);

    Key(Qt::Key_PageDown);  // 2R: no error
    EXPECT_EQ(Reports(), 1u);
    Key(Qt::Key_PageUp);  // 1R again: brought up again
    EXPECT_EQ(Reports(), 2u);
    Find<QToolButton>("NextBtn")->click();  // 2R
    Find<QToolButton>("NextBtn")->click();  // 3R
    ASSERT_EQ(Reports(), 3u);
    EXPECT_EQ(f.Errors[2], "'ab.c' は浮動小数点数ではありません");
    Key(Qt::Key_Down);  // the last race: no move, no box
    Key(Qt::Key_Control);
    EXPECT_EQ(Reports(), 3u);
    Find<QToolButton>("PriorBtn")->click();  // 2R
    Key(Qt::Key_Down);                       // 3R
    EXPECT_EQ(Reports(), 4u);
    EXPECT_EQ(shownAtReport, std::vector<bool>(4, true));
    EXPECT_EQ(LabelText("PnlRace"), U("3R"));
}

TEST_F(WeightErrorTest, CtrlSOpensTheSaveDialogWithoutTheBoxFirst) {
    OpenThreeRaces();
    ASSERT_EQ(Reports(), 1u);
    QApplication::setActiveWindow(form.get());
    bool saveDialogUp = false;
    AnswerModal([&saveDialogUp](QWidget* modal) {
        saveDialogUp = modal->objectName() == QStringLiteral("SaveForm");
        modal->close();
    });
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(saveDialogUp);
    EXPECT_EQ(Reports(), 1u);
}

TEST_F(WeightErrorTest, TheRealBoxIsCentredOnThePredictionWindow) {
    realBoxes = true;
    SeenBox first;
    bool shownUnderFirst = false;
    AnswerModal([&](QWidget* modal) {
        shownUnderFirst = form != nullptr && form->isVisible();
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        first = {box->text(), box->frameGeometry(), box->icon()};
        box->button(QMessageBox::Ok)->click();
    });
    OpenThreeRaces();
    EXPECT_EQ(first.Text, U("'5x.3' は浮動小数点数ではありません"));
    EXPECT_EQ(first.Icon, QMessageBox::Critical);
    EXPECT_TRUE(shownUnderFirst);
    ExpectCentredOn(first.Geometry, form->frameGeometry());

    // The user has moved the window away from the middle of the screen; 3R is brought up.
    form->move(10, 20);
    Find<QToolButton>("NextBtn")->click();
    SeenBox third;
    AnswerNextBox(third);
    Find<QToolButton>("NextBtn")->click();

    EXPECT_EQ(third.Text, U("'ab.c' は浮動小数点数ではありません"));
    ExpectCentredOn(third.Geometry, form->frameGeometry());
    EXPECT_NE(third.Geometry.center(), ScreenArea().center());
}

}  // namespace
}  // namespace talpo::test
