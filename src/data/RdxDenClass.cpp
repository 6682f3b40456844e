// The race-card file: loading, field cuts and the decoding tables of its codes.
#include "data/RdxDenClass.h"

#include <algorithm>
#include <array>

#include "common/Cp932.h"
#include "common/FileIO.h"
#include "common/StrConv.h"
#include "common/TalpoError.h"

namespace talpo {
namespace {

// "09" -> "9"; anything not led by "0" stays as it is (" 9" stays " 9").
std::string LeadingZeroRule(std::string_view s) {
    return std::string(!s.empty() && s[0] == '0' ? s.substr(1) : s);
}

// Month and day: "05" -> " 5", so the text keeps its two columns.
std::string BlankRule(std::string_view s) {
    if (s.empty() || s[0] != '0') return std::string(s);
    std::string text(s);
    text[0] = ' ';
    return text;
}

// A field of the record (or runner slot) that starts at `base`.
std::string_view CutField(const char* base, RecordField field) {
    return CutFieldView(base + field.Offset, field.Width);
}

// Looks a one-byte code up in a table indexed from '0'.
template <std::size_t N>
std::string Decode(const std::array<std::string, N>& table, char code, const std::string& fallback) {
    const int i = code - '0';
    return i >= 0 && i < static_cast<int>(N) ? table[static_cast<std::size_t>(i)] : fallback;
}

// Every Japanese text of the tables, converted to CP932 once.
struct Tables {
    std::array<std::string, 10> venue{Sj("京都"), Sj("阪神"), Sj("中京"), Sj("小倉"), Sj("東京"),
                                      Sj("中山"), Sj("福島"), Sj("新潟"), Sj("札幌"), Sj("函館")};
    std::array<std::string, 3> grade{Sj("Ｇ１"), Sj("Ｇ２"), Sj("Ｇ３")};
    std::array<std::string, 2> surface{Sj("ダ"), Sj("芝")};
    std::array<std::string, 2> turn{Sj("右"), Sj("左")};
    std::array<std::string, 6> course{Sj("内"),     Sj("外"),     Sj("外→内"),
                                      Sj("タスキ"), Sj("大障害"), Sj("内２周")};
    std::array<std::string, 6> rail{"A", "B", "C", "D", "A1", "A2"};
    std::array<std::string, 3> pace{"H", "M", "S"};
    std::array<std::string, 8> ageClass{Sj("障害"),       Sj("３歳"),          Sj("４歳"),
                                        Sj("４歳以上"),   Sj("５歳以上"),      Sj("アラブ３歳"),
                                        Sj("アラブ４歳"), Sj("アラブ４歳以上")};
    std::array<std::string, 9> hurdleAge{Sj("３歳"),     Sj("４歳"),     Sj("５歳"),    Sj("４･５･６歳"), "",
                                         Sj("４歳以上"), Sj("５歳以上"), Sj("４･５歳"), Sj("５･６歳")};
    std::array<std::string, 4> raceClass{Sj("新馬"), Sj("未出走"), Sj("未勝利"), Sj("オープン")};
    std::array<std::string, 15> condition{Sj("(勝入)"),   Sj("(九州産馬)"), Sj("(内国)"),   Sj("(牝)"),
                                          Sj("(混)"),     Sj("(父)"),       Sj("(抽)"),     Sj("(市･抽)"),
                                          Sj("(混勝入)"), Sj("(□抽)"),      Sj("(牝)(混)"), Sj("(市)"),
                                          Sj("(招)"),     Sj("(混)(指)"),   Sj("(抽勝入)")};
    std::array<std::string, 5> mark{Sj("◎"), Sj("○"), Sj("▲"), Sj("△"), Sj("×")};
    std::array<std::string, 3> sex{Sj("牡"), Sj("牝"), Sj("ｾﾝ")};
    std::array<std::string, 3> apprentice{Sj("☆"), Sj("△"), Sj("▲")};
    std::string hurdle = Sj("障害");
    std::string manka = Sj("万下");
    std::string dai = Sj("第");
    std::string kai = Sj("回");
    std::string umarei = Sj("馬令");
    std::string barei = Sj("馬齢");
    std::string tei = Sj("定");
    std::string teiryo = Sj("定量");
};

const Tables& T() {
    static const Tables tables;
    return tables;
}

const std::string kFourBlanks = "    ";
const std::string kTwoBlanks = "  ";

}  // namespace

TDenma::TDenma(const std::string& fileName) : fileName_(fileName) {
    Adopt(ReadRecordFile(fileName, TDenRec::Size));
}

TDenma TDenma::FromBytes(std::string_view bytes, std::string fileName) {
    CheckWholeRecords(bytes.size(), TDenRec::Size);
    return FromBuffer(PageBuffer::Copy(bytes), std::move(fileName));
}

TDenma TDenma::FromBuffer(PageBuffer bytes, std::string fileName) {
    CheckWholeRecords(bytes.size(), TDenRec::Size);
    TDenma denma;
    denma.fileName_ = std::move(fileName);
    denma.Adopt(std::move(bytes));
    return denma;
}

void TDenma::Adopt(PageBuffer bytes) {
    records_ = std::move(bytes);
    RaceCount = static_cast<std::int32_t>(records_.size() / TDenRec::Size);
    RaceIndex = 0;
}

TDenRace TDenma::Race(std::int32_t race) const {
    if (race < 0 || race >= RaceCount) throw ListIndexError(race);
    return TDenRace(records_.data() + static_cast<std::size_t>(race) * TDenRec::Size);
}

std::string_view TDenRace::Field(RecordField field) const {
    return CutField(record_, field);
}

const char* TDenRace::Slot(int I) const {
    if (I < 0 || I >= TDenRec::MaxRunners) throw ListIndexError(I);
    return record_ + TDenRec::Runners.BlockOffset(static_cast<std::size_t>(I));
}

std::string_view TDenRace::RunnerField(int I, RecordField field) const {
    return CutField(Slot(I), field);
}

std::string TDenRace::Year() const {
    return std::string(Field(TDenRec::Year));
}
std::string TDenRace::Month() const {
    return BlankRule(Field(TDenRec::Month));
}
std::string TDenRace::Day() const {
    return BlankRule(Field(TDenRec::Day));
}
std::string TDenRace::VenueCode() const {
    return "0" + std::string(Field(TDenRec::VenueCode));
}
std::string TDenRace::MeetingNo() const {
    return LeadingZeroRule(Field(TDenRec::MeetingNo));
}
std::string TDenRace::MeetingDay() const {
    return LeadingZeroRule(Field(TDenRec::MeetingDay));
}
std::string TDenRace::RaceNo() const {
    return LeadingZeroRule(Field(TDenRec::RaceNo));
}
std::string TDenRace::Distance() const {
    return std::string(Field(TDenRec::Distance));
}
std::string TDenRace::RunnerCount() const {
    return LeadingZeroRule(Field(TDenRec::RunnerCount));
}
std::string TDenRace::StartTime() const {
    return std::string(Field(TDenRec::StartTime));
}

int TDenRace::RunnerSlots() const {
    return TDenRec::RunnerSlots(StrToInt(RunnerCount()));
}

std::string TDenRace::Age(int I) const {
    return LeadingZeroRule(RunnerField(I, TDenRunner::Age));
}
std::string TDenRace::Bracket(int I) const {
    return std::string(RunnerField(I, TDenRunner::Bracket));
}

float TDenRace::Weight(int I) const {
    // Tenths of a kg: the point goes before the last digit ("550" is 55.0).
    constexpr std::size_t kWholeKgDigits = TDenRunner::Weight.Width - 1;
    const std::string digits(RunnerField(I, TDenRunner::Weight));
    return StrToFloat(digits.substr(0, kWholeKgDigits) + "." +
                      digits.substr(std::min(kWholeKgDigits, digits.size())));
}

std::string TDenRace::HorseName(int I) const {
    return TrimBlanks(RunnerField(I, TDenRunner::HorseName));
}
std::string TDenRace::HorseNameRaw(int I) const {
    return std::string(RunnerField(I, TDenRunner::HorseName));
}
std::string TDenRace::Jockey(int I) const {
    return std::string(RunnerField(I, TDenRunner::Jockey));
}
std::string TDenRace::Trainer(int I) const {
    return std::string(RunnerField(I, TDenRunner::Trainer));
}

std::string TDenRace::VenueName() const {
    return Decode(T().venue, Code(TDenRec::VenueCode), kFourBlanks);
}
std::string TDenRace::Grade() const {
    return Decode(T().grade, Code(TDenRec::Grade), "");
}
std::string TDenRace::Surface() const {
    return Decode(T().surface, Code(TDenRec::Surface), "");
}
std::string TDenRace::Turn() const {
    return Decode(T().turn, Code(TDenRec::Turn), "");
}
std::string TDenRace::CourseType() const {
    return Decode(T().course, Code(TDenRec::CourseType), "");
}
std::string TDenRace::CourseRail() const {
    return Decode(T().rail, Code(TDenRec::CourseRail), "");
}
std::string TDenRace::Pace() const {
    return Decode(T().pace, Code(TDenRec::Pace), "");
}

std::string TDenRace::RaceName() const {
    const std::string_view edition = Field(TDenRec::Edition);
    const std::string title = TrimBlanks(Field(TDenRec::Title));
    if (TrimBlanksView(edition).empty()) return title;
    return T().dai + IntToStr(StrToInt(edition)) + T().kai + title;
}

std::string TDenRace::AgeClass() const {
    std::string text = Decode(T().ageClass, Code(TDenRec::AgeClass), "");
    if (text == T().hurdle) text += Decode(T().hurdleAge, Code(TDenRec::AgeClass2), "");
    return text;
}

std::string TDenRace::RaceClass() const {
    const char code = Code(TDenRec::RaceClass);
    if (code >= '1' && code <= '4') return T().raceClass[static_cast<std::size_t>(code - '1')];
    return IntToStr(StrToInt(Field(TDenRec::PrizeLimit))) + T().manka;
}

std::string TDenRace::Condition() const {
    const std::string_view code = Field(TDenRec::Condition);
    if (code.size() != 2 || code[0] < '0' || code[0] > '1' || code[1] < '0' || code[1] > '9') return "";
    const int i = (code[0] - '0') * 10 + (code[1] - '0');
    return i < static_cast<int>(T().condition.size()) ? T().condition[static_cast<std::size_t>(i)] : "";
}

std::string TDenRace::WeightRule() const {
    std::string rule = TrimBlanks(Field(TDenRec::WeightRule));
    if (rule == T().umarei) rule = T().barei;
    if (rule.compare(0, 2, T().tei) == 0) rule = T().teiryo;
    return rule;
}

namespace {
// "1112" -> "1:11:2"; nothing is checked, a blank field keeps its blanks between the colons.
std::string TimeText(std::string_view f) {
    auto at = [&f](std::size_t i) { return std::string(i < f.size() ? f.substr(i, 1) : std::string_view()); };
    return at(0) + ":" + at(1) + at(2) + ":" + at(3);
}
}  // namespace

std::string TDenRace::TimeGood() const {
    return TimeText(Field(TDenRec::TimeGood));
}
std::string TDenRace::TimeHeavy() const {
    return TimeText(Field(TDenRec::TimeHeavy));
}

std::string TDenRace::Mark(int I) const {
    return Decode(T().mark, RunnerCode(I, TDenRunner::Mark), kTwoBlanks);
}
std::string TDenRace::Sex(int I) const {
    return Decode(T().sex, RunnerCode(I, TDenRunner::Sex), kTwoBlanks);
}
std::string TDenRace::Apprentice(int I) const {
    const char code = RunnerCode(I, TDenRunner::Allowance);
    if (code >= '1' && code <= '3') return T().apprentice[static_cast<std::size_t>(code - '1')];
    return kTwoBlanks;
}

}  // namespace talpo
