// Decoding of the race card's codes into display texts, fallbacks included.
#include <gtest/gtest.h>

#include <functional>

#include "common/Cp932.h"
#include "common/TalpoError.h"
#include "data/RdxDenClass.h"
#include "data/RdxRecordBuilder.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

using Mutate = std::function<void(DenRacePlan&)>;
using Read = std::function<std::string(const TDenma&)>;

struct DecodeCase {
    const char* what;
    Mutate set;
    Read get;
    std::string want;  // UTF-8; compared as CP932 bytes
};

TDenma Build(const Mutate& set) {
    DenRacePlan race;
    race.Runners.resize(1);
    set(race);
    return TDenma::FromBytes(BuildDenRecord(race));
}

void RunCases(const std::vector<DecodeCase>& cases) {
    for (const DecodeCase& c : cases) EXPECT_EQ(c.get(Build(c.set)), Sj(c.want)) << c.what;
}

Mutate Field(std::string DenRacePlan::*field, std::string value) {
    return [field, value](DenRacePlan& r) { r.*field = value; };
}
Mutate Runner(std::string DenRunnerPlan::*field, std::string value) {
    return [field, value](DenRacePlan& r) { r.Runners[0].*field = value; };
}

TEST(DenDecode, SingleCodeTables) {
    const Read venue = [](const TDenma& d) { return d.GetVenueName(); };
    const Read grade = [](const TDenma& d) { return d.GetGrade(); };
    const Read surface = [](const TDenma& d) { return d.GetSurface(); };
    const Read turn = [](const TDenma& d) { return d.GetTurn(); };
    const Read course = [](const TDenma& d) { return d.GetCourseType(); };
    const Read rail = [](const TDenma& d) { return d.GetCourseRail(); };
    const Read pace = [](const TDenma& d) { return d.GetPace(); };
    const Read mark = [](const TDenma& d) { return d.GetMark(0); };
    const Read sex = [](const TDenma& d) { return d.GetSex(0); };
    const Read allowance = [](const TDenma& d) { return d.GetApprentice(0); };
    const std::string nul(1, '\0');
    RunCases({
        {"venue 0", Field(&DenRacePlan::VenueCode, "0"), venue, "京都"},
        {"venue 4", Field(&DenRacePlan::VenueCode, "4"), venue, "東京"},
        {"venue 5", Field(&DenRacePlan::VenueCode, "5"), venue, "中山"},
        {"venue 9", Field(&DenRacePlan::VenueCode, "9"), venue, "函館"},
        {"venue blank", Field(&DenRacePlan::VenueCode, " "), venue, "    "},
        {"venue zero byte", Field(&DenRacePlan::VenueCode, nul), venue, "    "},
        {"grade 0", Field(&DenRacePlan::Grade, "0"), grade, "Ｇ１"},
        {"grade 2", Field(&DenRacePlan::Grade, "2"), grade, "Ｇ３"},
        {"grade 3", Field(&DenRacePlan::Grade, "3"), grade, ""},
        {"surface 0", Field(&DenRacePlan::Surface, "0"), surface, "ダ"},
        {"surface 1", Field(&DenRacePlan::Surface, "1"), surface, "芝"},
        {"surface 2", Field(&DenRacePlan::Surface, "2"), surface, ""},
        {"turn 0", Field(&DenRacePlan::Turn, "0"), turn, "右"},
        {"turn 1", Field(&DenRacePlan::Turn, "1"), turn, "左"},
        {"turn x", Field(&DenRacePlan::Turn, "x"), turn, ""},
        {"course 2", Field(&DenRacePlan::CourseType, "2"), course, "外→内"},
        {"course 5", Field(&DenRacePlan::CourseType, "5"), course, "内２周"},
        {"course 6", Field(&DenRacePlan::CourseType, "6"), course, ""},
        {"rail 3", Field(&DenRacePlan::CourseRail, "3"), rail, "D"},
        {"rail 5", Field(&DenRacePlan::CourseRail, "5"), rail, "A2"},
        {"rail 6", Field(&DenRacePlan::CourseRail, "6"), rail, ""},
        {"pace 0", Field(&DenRacePlan::Pace, "0"), pace, "H"},
        {"pace 2", Field(&DenRacePlan::Pace, "2"), pace, "S"},
        {"pace blank", Field(&DenRacePlan::Pace, " "), pace, ""},
        {"mark 0", Runner(&DenRunnerPlan::Mark, "0"), mark, "◎"},
        {"mark 4", Runner(&DenRunnerPlan::Mark, "4"), mark, "×"},
        {"mark blank", Runner(&DenRunnerPlan::Mark, " "), mark, "  "},
        {"sex 0", Runner(&DenRunnerPlan::Sex, "0"), sex, "牡"},
        {"sex 2", Runner(&DenRunnerPlan::Sex, "2"), sex, "ｾﾝ"},
        {"sex 9", Runner(&DenRunnerPlan::Sex, "9"), sex, "  "},
        {"allowance 0", Runner(&DenRunnerPlan::Allowance, "0"), allowance, "  "},
        {"allowance 1", Runner(&DenRunnerPlan::Allowance, "1"), allowance, "☆"},
        {"allowance 3", Runner(&DenRunnerPlan::Allowance, "3"), allowance, "▲"},
        {"allowance 4", Runner(&DenRunnerPlan::Allowance, "4"), allowance, "  "},
    });
    // The half-width katakana of ｾﾝ are one byte each.
    EXPECT_EQ(Build(Runner(&DenRunnerPlan::Sex, "2")).GetSex(0), "\xBE\xDD");
}

TEST(DenDecode, AgeClassAppendsSecondCodeOnlyForHurdles) {
    const Read age = [](const TDenma& d) { return d.GetAgeClass(); };
    auto codes = [](std::string a, std::string b) {
        return [a, b](DenRacePlan& r) {
            r.AgeClass = a;
            r.AgeClass2 = b;
        };
    };
    RunCases({
        {"0 5", codes("0", "5"), age, "障害４歳以上"},
        {"0 4", codes("0", "4"), age, "障害"},
        {"0 3", codes("0", "3"), age, "障害４･５･６歳"},
        {"0 9", codes("0", "9"), age, "障害"},
        {"3 5", codes("3", "5"), age, "４歳以上"},
        {"7 0", codes("7", "0"), age, "アラブ４歳以上"},
        {"8 0", codes("8", "0"), age, ""},
    });
    // The middle dot is the one-byte 0xA5.
    EXPECT_EQ(Build(codes("0", "7")).GetAgeClass(), Sj("障害４") + "\xA5" + Sj("５歳"));
}

TEST(DenDecode, RaceClassAndCondition) {
    const Read cls = [](const TDenma& d) { return d.GetRaceClass(); };
    const Read cond = [](const TDenma& d) { return d.GetCondition(); };
    auto classOf = [](std::string code, std::string prize) {
        return [code, prize](DenRacePlan& r) {
            r.RaceClass = code;
            r.PrizeLimit = prize;
        };
    };
    RunCases({
        {"class 0", classOf("0", "0900"), cls, "900万下"},
        {"class 9", classOf("9", "1000"), cls, "1000万下"},
        {"class blank", classOf(" ", "  50"), cls, "50万下"},
        {"class 1", classOf("1", "    "), cls, "新馬"},
        {"class 2", classOf("2", "xxxx"), cls, "未出走"},
        {"class 4", classOf("4", "0000"), cls, "オープン"},
        {"cond 00", Field(&DenRacePlan::Condition, "00"), cond, "(勝入)"},
        {"cond 07", Field(&DenRacePlan::Condition, "07"), cond, "(市･抽)"},
        {"cond 09", Field(&DenRacePlan::Condition, "09"), cond, "(□抽)"},
        {"cond 13", Field(&DenRacePlan::Condition, "13"), cond, "(混)(指)"},
        {"cond 14", Field(&DenRacePlan::Condition, "14"), cond, "(抽勝入)"},
        {"cond 15", Field(&DenRacePlan::Condition, "15"), cond, ""},
        {"cond blank", Field(&DenRacePlan::Condition, "  "), cond, ""},
        {"cond 1", Field(&DenRacePlan::Condition, " 1"), cond, ""},
    });
    for (const char* prize : {"    ", "090 ", "9x00"}) {
        const ETalpoError e = test::ErrorOf([&] { Build(classOf("0", prize)).GetRaceClass(); });
        EXPECT_EQ(std::string(e.what()), std::string("'") + prize + "' は整数ではありません");
    }
}

TEST(DenDecode, RaceNameWithAndWithoutEdition) {
    const Read name = [](const TDenma& d) { return d.GetRaceName(); };
    auto named = [](std::string edition, std::string title) {
        return [edition, title](DenRacePlan& r) {
            r.Edition = edition;
            r.Title = Sj(title);
        };
    };
    RunCases({
        {"no edition", named("   ", "テスト記念"), name, "テスト記念"},
        {"edition 012", named("012", "テスト記念"), name, "第12回テスト記念"},
        {"edition   5", named("  5", "テスト記念"), name, "第5回テスト記念"},
        {"empty title", named("   ", ""), name, ""},
    });
    const ETalpoError e = test::ErrorOf([&] { Build(named("12 ", "X")).GetRaceName(); });
    EXPECT_STREQ(e.what(), "'12 ' は整数ではありません");
}

TEST(DenDecode, WeightRuleAndTimes) {
    const Read rule = [](const TDenma& d) { return d.GetWeightRule(); };
    const Read good = [](const TDenma& d) { return d.GetTimeGood(); };
    const Read heavy = [](const TDenma& d) { return d.GetTimeHeavy(); };
    auto ruleOf = [](std::string text) { return [text](DenRacePlan& r) { r.WeightRule = Sj(text); }; };
    RunCases({
        {"馬令", ruleOf("馬令"), rule, "馬齢"},
        {"定量", ruleOf("定量"), rule, "定量"},
        {"定", ruleOf("定"), rule, "定量"},
        {"定量戦", ruleOf("  定量戦"), rule, "定量"},
        {"別定", ruleOf("別定"), rule, "別定"},
        {"ハンデ", ruleOf(" ハンデ "), rule, "ハンデ"},
        {"馬令 extra", ruleOf("馬令戦"), rule, "馬令戦"},
        {"time 1112", Field(&DenRacePlan::TimeGood, "1112"), good, "1:11:2"},
        {"time 1356", Field(&DenRacePlan::TimeHeavy, "1356"), heavy, "1:35:6"},
        {"time blank", Field(&DenRacePlan::TimeGood, "    "), good, " :  : "},
    });
}

}  // namespace
}  // namespace talpo
