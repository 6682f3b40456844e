// The race card page under the worst a day can bring: 18 runners with names, jockeys and trainers as wide
// as their fields, three-digit figures and a long title must all stay whole, legible and apart on the
// page; a race without a prediction still gets its page.
#include <gtest/gtest.h>

#include "data/RdxRecordBuilder.h"
#include "data/SampleDay.h"
#include "paper/DayPages.h"
#include "paper/RaceCardPage.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

DenRacePlan WidestRace() {
    DenRacePlan race;
    race.Grade = "1";
    race.Edition = "100";
    race.Title = Sj("ＷＷＷＷＷＷＷＷＷＷＷＷＷＷＷ");
    for (int i = 0; i < 18; ++i) {
        DenRunnerPlan r;
        r.HorseCode = "00000" + std::to_string(10 + i);
        r.Bracket = std::to_string(1 + i * 8 / 18);
        r.Weight = "585";
        r.Allowance = "1";
        r.Mark = "1";
        r.HorseName = Sj("ＷＷＷＷＷＷＷＷＷＷＷＷＷＷＷ");
        r.Jockey = Sj("ＷＷＷＷ");
        r.Trainer = Sj("ＷＷＷＷ");
        race.Runners.push_back(r);
    }
    return race;
}

// A debut race: nobody in it has a figure, so it has no prediction.
DenRacePlan DebutRace() {
    DenRacePlan race;
    race.RaceNo = "01";
    DenRunnerPlan r;
    r.HorseCode = "0000099";
    r.HorseName = Sj("シンザン");
    race.Runners = {r, r};
    return race;
}

TDay LoadTestDay() {
    std::string uma;
    for (int i = 0; i < 18; ++i) {
        UmaHorsePlan horse;
        horse.HorseCode = "00000" + std::to_string(10 + i);
        horse.Figures = {"999", "100", "   ", "050", std::to_string(100 + i)};
        uma += BuildUmaRecord(horse);
    }
    uma += BuildUmaRecord({"0000099", {"   ", "   ", "   ", "   ", "   "}});
    IPredictProgress silent;
    return LoadDayFromBytes(BuildDenRecord(WidestRace()) + BuildDenRecord(DebutRace()), uma, silent);
}

bool Overlap(const QRectF& a, const QRectF& b) {
    const QRectF common = a.intersected(b);
    return common.width() > 0.01 && common.height() > 0.01;
}

// What a reader needs of every text: on the page, at least the smallest size, whole in its box, and clear
// of every other text.
void ExpectReadable(const std::vector<PageItem>& items, const QSizeF& area) {
    const QRectF page(QPointF(0, 0), area);
    std::vector<const PageItem*> texts;
    for (const PageItem& item : items) {
        EXPECT_TRUE(page.contains(item.Box))
            << item.Text.toStdString() << " at " << item.Box.x() << "," << item.Box.y();
        if (item.Text.isEmpty()) continue;
        EXPECT_GE(item.Font.pointSizeF(), kSmallestPoints) << item.Text.toStdString();
        EXPECT_LE(TextWidth(item.Text, item.Font), item.Box.width() + 0.01) << item.Text.toStdString();
        EXPECT_LE(item.Font.pointSizeF(), item.Box.height() + 0.01) << item.Text.toStdString();
        for (const PageItem* other : texts)
            EXPECT_FALSE(Overlap(item.Box, other->Box))
                << item.Text.toStdString() << " over " << other->Text.toStdString();
        texts.push_back(&item);
    }
}

bool Shows(const std::vector<PageItem>& items, const QString& text) {
    return std::any_of(items.begin(), items.end(),
                       [&text](const PageItem& item) { return item.Text == text; });
}

TEST(RaceCardPage, EighteenRunnersOfTheWidestTextsStayWholeOnThePage) {
    const TDay day = LoadTestDay();
    const RaceCardSheet sheet = MakeRaceCardSheet(day, 0);
    ASSERT_EQ(sheet.Rows.size(), 18u);
    EXPECT_TRUE(sheet.Predicted);
    // The latest figure first, read as a number; the best stressed; a blank block left empty.
    EXPECT_EQ(sheet.Rows[0].Runs[0], "999");
    EXPECT_EQ(sheet.Rows[0].Runs[2], "");
    EXPECT_EQ(sheet.Rows[0].Runs[3], "50");
    EXPECT_TRUE(sheet.Rows[0].Best[0]);
    EXPECT_FALSE(sheet.Rows[0].Best[1]);
    const std::vector<PageItem> items = LayOutRaceCard(sheet, PrintableArea());
    ExpectReadable(items, PrintableArea());
    EXPECT_TRUE(Shows(items, QString::fromUtf8("ＷＷＷＷＷＷＷＷＷＷＷＷＷＷＷ")));
    // The race's name in the largest type of the page, the conditions under it.
    const PageItem* title = nullptr;
    double largest = 0;
    for (const PageItem& item : items) {
        if (item.Text == sheet.Title) title = &item;
        if (!item.Text.isEmpty()) largest = std::max(largest, item.Font.pointSizeF());
    }
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Font.pointSizeF(), largest);
    for (const PageItem& item : items) {
        if (item.Text == sheet.Conditions) {
            EXPECT_GT(item.Box.top(), title->Box.bottom() - 0.01);
        }
    }
    // A printer whose edge takes 20 mm leaves less.
    const QSizeF narrower = PrintableArea() - QSizeF(46, 46);
    ExpectReadable(LayOutRaceCard(sheet, narrower), narrower);
}

TEST(RaceCardPage, ARaceWithoutPredictionIsDrawnAndSaysSo) {
    const TDay day = LoadTestDay();
    const RaceCardSheet sheet = MakeRaceCardSheet(day, 1);
    EXPECT_FALSE(sheet.Predicted);
    const std::vector<PageItem> items = LayOutRaceCard(sheet, PrintableArea());
    ExpectReadable(items, PrintableArea());
    // Said over the index column and in the bets; no bar, which would read as the top rating.
    EXPECT_EQ(std::count_if(items.begin(), items.end(),
                            [](const PageItem& item) { return item.Text == QString::fromUtf8("予想無し"); }),
              2);
    EXPECT_FALSE(std::any_of(items.begin(), items.end(),
                             [](const PageItem& item) { return item.Ground == QColor(0x70, 0x70, 0x70); }));
    EXPECT_TRUE(Shows(items, QString::fromUtf8("シンザン")));
}

// The file holds every venue's races: its name says so.
TEST(RaceCardPage, ThePdfNameNamesEveryVenueOfTheDay) {
    const SampleDay sample = MakeSampleDay({});
    IPredictProgress silent;
    const TDay day = LoadDayFromBytes(sample.Den, sample.Uma, silent);
    EXPECT_EQ(PdfFileName(day), Sj("東京京都980524.pdf"));
}

}  // namespace
}  // namespace talpo
