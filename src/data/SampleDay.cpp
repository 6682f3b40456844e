// The sample-day generator. Its random numbers come from a fixed generator and fixed mappings (not the
// standard distributions, whose results differ between library versions), so a seed names a day for good.
#include "data/SampleDay.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

#include "common/Cp932.h"
#include "common/StrConv.h"
#include "data/RdxDenClass.h"
#include "data/RdxRecordBuilder.h"
#include "data/RdxUmaClass.h"
#include "data/TypeRdx.h"

namespace talpo {
namespace {

// splitmix64: small, fast, and the same everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 .. n-1
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
    bool Chance(int percent) { return Below(100) < percent; }

private:
    std::uint64_t state_;
};

std::string Digits(int value, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    return buf;
}

const std::vector<std::string>& Syllables() {
    static const std::vector<std::string> s = [] {
        std::vector<std::string> out;
        for (const char* k : {"ア", "イ", "ウ", "エ", "オ", "カ", "キ", "ク", "ケ", "コ", "サ", "シ", "ス",
                              "セ", "ソ", "タ", "チ", "ツ", "テ", "ト", "ナ", "ニ", "ヌ", "ネ", "ノ", "ハ",
                              "ヒ", "フ", "ヘ", "ホ", "マ", "ミ", "ム", "メ", "モ", "ヤ", "ユ", "ヨ", "ラ",
                              "リ", "ル", "レ", "ロ", "ワ", "ン", "ー", "ガ", "ギ", "グ", "ゴ", "ザ", "ジ",
                              "ズ", "ダ", "デ", "ド", "バ", "ビ", "ブ", "ベ", "ボ", "パ", "ピ", "プ", "ポ"}) {
            out.push_back(Sj(k));
        }
        return out;
    }();
    return s;
}

std::vector<std::string> SjList(std::initializer_list<const char*> utf8) {
    std::vector<std::string> out;
    for (const char* t : utf8) out.push_back(Sj(t));
    return out;
}

struct Vocabulary {
    std::vector<std::string> titles = SjList(
        {"テスト記念", "若葉ステークス", "青葉賞", "春雷特別", "鎌倉特別", "秋風ステークス", "白秋賞",
         "新緑ハンデキャップ", "府中杯", "朝日チャレンジカップ", "函館スプリント", "札幌日経オープン"});
    // Jockeys of four full-width characters at most; the first two get the bonus.
    std::vector<std::string> jockeys = SjList({"甲野", "乙川", "丙田", "丁村", "戊井", "己山", "庚島", "辛木",
                                               "壬生", "癸原", "松本", "竹内", "梅田", "桜井", "小野寺"});
    std::vector<std::string> trainers = SjList(
        {"伊藤", "加藤", "佐々木", "高橋", "田中", "渡辺", "山本", "中村", "小林", "吉田", "山口", "松田"});
    std::vector<std::string> rules = SjList({"馬令", "定量", "別定", "ハンデ"});
};

const Vocabulary& Words() {
    static const Vocabulary v;
    return v;
}

std::string HorseName(Random& rnd) {
    const auto& s = Syllables();
    std::string name;
    const int len = rnd.Between(3, 9);
    // No name opens with "ン" or "ー" (the 45th and 46th syllables).
    for (int i = 0; i < len; ++i)
        name += s[static_cast<std::size_t>(rnd.Below(i == 0 ? 44 : static_cast<int>(s.size())))];
    return name;
}

// Brackets as the racing authority fills them: the last brackets take the extra runners.
std::string Bracket(int horse, int runners) {
    if (runners <= 8) return std::to_string(horse + 1);
    const int base = runners / 8;
    const int rem = runners % 8;
    int h = 0;
    for (int b = 1; b <= 8; ++b) {
        h += base + (b > 8 - rem ? 1 : 0);
        if (horse < h) return std::to_string(b);
    }
    return "8";
}

std::string Figure(Random& rnd, int level) {
    const int value = std::max(0, std::min(999, level + rnd.Between(-12, 12)));
    // The data right-aligns figures, sometimes with zeros, sometimes with blanks.
    char buf[8];
    std::snprintf(buf, sizeof buf, rnd.Chance(50) ? "%03d" : "%3d", value);
    return buf;
}

constexpr std::array<int, 12> kDaysInMonth{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// The days after the first know no 29 February: 28 February has always been followed by 1 March here,
// and the bytes of a sample day stay what they were.
struct DayDate {
    int year, month, day;
    void Advance() {
        if (++day > kDaysInMonth[static_cast<std::size_t>(month - 1)]) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
};

// Codes of the horse file: every seventh horse is a newcomer without figures (see MakeHorse).
bool IsNewcomer(int code) {
    return code % 7 == 3;
}

struct CodePicker {
    int pool;
    int nextRunner = 0;
    int nextNewcomer = 0;
    int Runner() {
        int code = nextRunner++ % pool;
        if (IsNewcomer(code) && pool > 7) code = nextRunner++ % pool;
        return code;
    }
    int Newcomer() {
        if (pool <= 3) return Runner();
        return 7 * (nextNewcomer++ % ((pool - 4) / 7 + 1)) + 3;
    }
};

// The usual mix of field sizes, or the range asked for.
int RunnerCount(Random& rnd, const SampleDayOptions& options) {
    if (options.MinRunners <= 0 || options.MaxRunners <= 0)
        return rnd.Chance(80) ? rnd.Between(12, 18) : rnd.Between(5, 11);
    const int lo = std::clamp(options.MinRunners, 1, TDenRec::MaxRunners);
    return rnd.Between(lo, std::clamp(options.MaxRunners, lo, TDenRec::MaxRunners));
}

DenRacePlan MakeRace(Random& rnd, int raceIndex, const DayDate& date, CodePicker& codes,
                     const SampleDayOptions& options) {
    const Vocabulary& w = Words();
    static const std::array<const char*, 2> kVenues{"4", "0"};  // 東京 and 京都
    DenRacePlan race;
    const int raceNo = raceIndex % 12 + 1;
    race.VenueCode = kVenues[static_cast<std::size_t>((raceIndex / 12) % 2)];
    race.MeetingNo = Digits(3 + (raceIndex / 12) % 2, 2);
    race.MeetingDay = Digits(2 + (raceIndex / 24) % 7, 2);
    race.RaceNo = Digits(raceNo, 2);
    race.Year = Digits(date.year, 4);
    race.Month = Digits(date.month, 2);
    race.Day = Digits(date.day, 2);
    const bool debut = raceNo <= 2 && rnd.Chance(60);
    const bool main = raceNo >= 9;
    if (main) {
        race.Title = w.titles[static_cast<std::size_t>(rnd.Below(static_cast<int>(w.titles.size())))];
        if (raceNo == 11) race.Edition = Digits(rnd.Between(1, 65), 3);
        if (raceNo == 11 && rnd.Chance(40)) race.Grade = std::to_string(rnd.Below(3));
    }
    race.Surface = rnd.Chance(55) ? "1" : "0";
    race.Turn = race.VenueCode == "4" ? "1" : "0";
    race.CourseType = std::to_string(rnd.Below(3));
    race.CourseRail = std::to_string(rnd.Below(4));
    race.Distance = std::to_string(1000 + 200 * rnd.Below(10));
    const bool hurdle = !main && raceNo == 4 && rnd.Chance(30);
    race.AgeClass = hurdle ? "0" : std::to_string(rnd.Between(1, 4));
    race.AgeClass2 = hurdle ? std::to_string(rnd.Below(9)) : " ";
    race.RaceClass = debut ? "1" : main ? "4" : std::to_string(rnd.Between(3, 9));
    race.PrizeLimit = Digits(500 * rnd.Between(1, 3), 4);
    race.Condition = Digits(rnd.Below(16), 2);
    race.WeightRule = w.rules[static_cast<std::size_t>(rnd.Below(static_cast<int>(w.rules.size())))];
    race.StartTime = Digits(9 + raceNo / 2, 2) + ":" + Digits(5 + 5 * rnd.Below(10), 2);
    race.Pace = rnd.Chance(85) ? std::to_string(rnd.Below(3)) : " ";
    race.TimeGood =
        std::to_string(1 + rnd.Below(2)) + Digits(rnd.Between(10, 59), 2) + std::to_string(rnd.Below(10));
    race.TimeHeavy = race.TimeGood.substr(0, 3) + std::to_string((race.TimeGood[3] - '0' + 5) % 10);

    const int runners = RunnerCount(rnd, options);
    for (int i = 0; i < runners; ++i) {
        DenRunnerPlan r;
        // Debut races: nobody has run, so nobody has a figure and the race gets no prediction.
        r.HorseCode = Digits(9000000 + (debut ? codes.Newcomer() : codes.Runner()), 7);
        r.Sex = std::to_string(rnd.Below(3));
        r.Age = Digits(debut ? 3 : rnd.Between(3, 7), 2);
        r.Bracket = Bracket(i, runners);
        r.Weight = std::to_string(480 + 5 * rnd.Below(21));
        r.Allowance = rnd.Chance(10) ? std::to_string(rnd.Between(1, 3)) : "0";
        r.Mark = i < 5 && rnd.Chance(70) ? std::to_string(rnd.Below(5)) : " ";
        r.HorseName = HorseName(rnd);
        r.Jockey = w.jockeys[static_cast<std::size_t>(rnd.Below(static_cast<int>(w.jockeys.size())))];
        r.Trainer = w.trainers[static_cast<std::size_t>(rnd.Below(static_cast<int>(w.trainers.size())))];
        race.Runners.push_back(r);
    }
    return race;
}

UmaHorsePlan MakeHorse(Random& rnd, int code) {
    UmaHorsePlan horse;
    horse.HorseCode = Digits(9000000 + code, 7);
    if (IsNewcomer(code)) return horse;
    const int level = rnd.Between(50, 95);
    for (std::size_t j = 0; j < horse.Figures.size(); ++j) {
        if (rnd.Chance(20)) continue;
        // Coarse levels make equal figures, and so equal indices, common.
        horse.Figures[j] = rnd.Chance(15) ? Digits(level - level % 5, 3) : Figure(rnd, level);
    }
    return horse;
}

}  // namespace

bool IsSampleDate(int year, int month, int day) {
    if (year < 1000 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return false;
    return std::chrono::year_month_day{std::chrono::year{year},
                                       std::chrono::month{static_cast<unsigned>(month)},
                                       std::chrono::day{static_cast<unsigned>(day)}}
        .ok();
}

bool SampleDaysFit(const SampleDayOptions& options) {
    DayDate date{options.Year, options.Month, options.Day};
    for (int r = 24; r < options.Races; r += 24) date.Advance();
    return date.year <= 9999;
}

SampleDay MakeSampleDay(const SampleDayOptions& options) {
    Random rnd(options.Seed);
    SampleDay day;
    const int races = std::max(0, options.Races);
    const int horses = options.Horses > 0 ? options.Horses : std::max(8, races * 15);
    day.Den.reserve(static_cast<std::size_t>(races) * TDenRec::Size);
    DayDate date{options.Year, options.Month, options.Day};
    CodePicker codes{horses};
    for (int r = 0; r < races; ++r) {
        if (r > 0 && r % 24 == 0) date.Advance();
        day.Den += BuildDenRecord(MakeRace(rnd, r, date, codes, options));
    }
    day.Uma.reserve(static_cast<std::size_t>(horses) * TUmaRec::Size);
    for (int h = 0; h < horses; ++h) day.Uma += BuildUmaRecord(MakeHorse(rnd, h));
    return day;
}

namespace {

// A runner of a results race: its number, bracket, figure and the strength it ran with.
struct Finisher {
    int No = 0;
    int Bracket = 0;
    int Figure = 0;
    int Strength = 0;
    int Rank = 0;  // 1 for the best figure of the race: the favourite
};

// What a ticket of a horse ranked `rank` pays: a favourite little over the stake, an outsider many times
// it, on tens of yen as the pools round.
std::int64_t PayoutFor(Random& rnd, double rank, double scale) {
    const double yen = 100.0 + scale * std::pow(rank, 1.7) * (80 + rnd.Below(60)) / 100.0;
    return static_cast<std::int64_t>(yen / 10.0) * 10;
}

struct ResultsCsv {
    std::string Text = "日付,場名,レース,券種,組番,払戻金\n";
    std::string Race;  // the first three fields of the race's rows
    void Row(const char* type, const std::string& combination, const std::string& payout) {
        Text += Race + type + "," + combination + "," + payout + "\n";
    }
    void Paid(const char* type, const std::string& combination, std::int64_t yen) {
        Row(type, combination, std::to_string(yen));
    }
};

std::string Pair(int a, int b) {
    return std::to_string(std::min(a, b)) + "-" + std::to_string(std::max(a, b));
}

void RaceResults(Random& rnd, std::vector<Finisher> field, ResultsCsv& csv) {
    if (field.empty() || rnd.Chance(2)) {
        csv.Row("中止", "", "");
        return;
    }
    if (field.size() > 5 && rnd.Chance(10)) {
        const auto out = field.begin() + rnd.Below(static_cast<int>(field.size()));
        csv.Row("取消", std::to_string(out->No), "");
        field.erase(out);
    }
    std::stable_sort(field.begin(), field.end(),
                     [](const Finisher& a, const Finisher& b) { return a.Strength > b.Strength; });
    const Finisher& first = field[0];
    csv.Paid("単勝", std::to_string(first.No), PayoutFor(rnd, first.Rank, 80));
    if (field.size() < 2) return;
    const Finisher& second = field[1];
    // A dead heat for the win: both horses' tickets are paid.
    if (rnd.Chance(3)) csv.Paid("単勝", std::to_string(second.No), PayoutFor(rnd, second.Rank, 80));
    // Place tickets are sold on races of five or more; two places are paid up to seven runners.
    if (field.size() >= 5) {
        const std::size_t places = field.size() <= 7 ? 2 : 3;
        for (std::size_t p = 0; p < places; ++p)
            csv.Paid("複勝", std::to_string(field[p].No), PayoutFor(rnd, field[p].Rank, 18));
    }
    const double pairRank = std::sqrt(static_cast<double>(first.Rank * second.Rank));
    // Now and then a pool is not sold.
    if (!rnd.Chance(4)) csv.Paid("枠連", Pair(first.Bracket, second.Bracket), PayoutFor(rnd, pairRank, 200));
    if (!rnd.Chance(4)) csv.Paid("馬連", Pair(first.No, second.No), PayoutFor(rnd, pairRank, 250));
    csv.Paid("馬単", std::to_string(first.No) + "-" + std::to_string(second.No),
             PayoutFor(rnd, pairRank, 600));
}

}  // namespace

std::string MakeSampleResults(const SampleDay& day, std::uint64_t seed) {
    // Another stream than the day's own, so that the day's bytes do not depend on its results.
    Random rnd(seed ^ 0x5245535554ULL);
    const TDenma denma = TDenma::FromBytes(day.Den);
    const TUma uma = TUma::FromBytes(day.Uma);
    ResultsCsv csv;
    for (int r = 0; r < denma.RaceCount; ++r) {
        const TDenRace den = denma.Race(r);
        // The date as the store keeps it (PredictEngine): the month and day with a leading zero.
        csv.Race = den.Year() + FormatMin2Digits(StrToInt(den.Month())) +
                   FormatMin2Digits(StrToInt(den.Day())) + "," + Cp932ToUtf8(TrimBlanks(den.VenueName())) +
                   "," + std::to_string(std::stoi(den.RaceNo())) + ",";
        std::vector<Finisher> field;
        for (int i = 0; i < den.RunnerSlots(); ++i) {
            const TUma::Figures* figures = uma.FindFigures(den.HorseCode(i));
            const int figure = figures ? figures->Max() : 0;
            field.push_back({i + 1, std::stoi("0" + den.Bracket(i)), figure, figure + rnd.Below(45), 0});
        }
        std::vector<std::size_t> byFigure(field.size());
        std::iota(byFigure.begin(), byFigure.end(), std::size_t{0});
        std::stable_sort(byFigure.begin(), byFigure.end(), [&field](std::size_t a, std::size_t b) {
            return field[a].Figure > field[b].Figure;
        });
        for (std::size_t k = 0; k < byFigure.size(); ++k) field[byFigure[k]].Rank = static_cast<int>(k) + 1;
        RaceResults(rnd, std::move(field), csv);
    }
    return csv.Text;
}

}  // namespace talpo
