// The shared lists and stake.
#include "ui/BacktestChoices.h"

#include <algorithm>
#include <filesystem>

#include "backtest/BacktestReport.h"
#include "backtest/Yen.h"
#include "common/TalpoError.h"
#include "day/DayInput.h"

namespace talpo {
namespace {

// A path by the file it names: "day/", "day" and "./x/../day" are one entry of a list.
std::string Canonical(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, ec);
    std::string name = ec ? path : canonical.string();
    while (name.size() > 1 && name.back() == '/') name.pop_back();
    return name;
}

// The entries at the rows gone, the others in their order.
template <typename T>
bool RemoveRows(std::vector<T>& list, const std::vector<int>& rows) {
    std::vector<T> kept;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (std::find(rows.begin(), rows.end(), static_cast<int>(i)) == rows.end())
            kept.push_back(std::move(list[i]));
    const bool removed = kept.size() != list.size();
    list = std::move(kept);
    return removed;
}

bool IsArchiveName(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return extension == ".lzh";
}

bool IsListed(const std::vector<std::string>& canonicals, const std::string& path) {
    return std::find(canonicals.begin(), canonicals.end(), Canonical(path)) != canonicals.end();
}

}  // namespace

std::vector<std::string> TBacktestChoices::AddDays(const std::vector<std::string>& paths) {
    std::vector<std::string> listed;
    for (const SeasonDay& day : days_)
        if (!day.Loaded) listed.push_back(Canonical(day.Input));
    std::vector<std::string> refused;
    const std::size_t before = days_.size();
    for (const std::string& path : paths) {
        try {
            for (const std::string& day : DaysUnder(path)) {
                if (IsListed(listed, day)) continue;
                listed.push_back(Canonical(day));
                days_.push_back({day, nullptr});
            }
        } catch (const ETalpoError& e) {
            refused.push_back(e.what());
        }
    }
    if (days_.size() != before) emit Changed();
    return refused;
}

void TBacktestChoices::AddLoadedDay(const std::string& title, std::shared_ptr<const TDay> day) {
    const auto same = [&](const SeasonDay& d) { return d.Loaded == day || (d.Loaded && d.Input == title); };
    if (!day || std::any_of(days_.begin(), days_.end(), same)) return;
    days_.push_back({title, std::move(day)});
    emit Changed();
}

std::vector<std::string> TBacktestChoices::AddResults(const std::vector<std::string>& paths) {
    std::vector<std::string> listed;
    for (const std::string& path : results_) listed.push_back(Canonical(path));
    std::vector<std::string> refused;
    const std::size_t before = results_.size();
    for (const std::string& path : paths) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) {
            refused.push_back(path + (std::filesystem::exists(path, ec) ? " はファイルではありません"
                                                                        : " が見つかりません"));
        } else if (IsArchiveName(path)) {
            refused.push_back(path + " は LZH ファイルです。成績ファイルは CSV です");
        } else if (!IsListed(listed, path)) {
            listed.push_back(Canonical(path));
            results_.push_back(path);
        }
    }
    if (results_.size() != before) emit Changed();
    return refused;
}

void TBacktestChoices::RemoveDays(const std::vector<int>& rows) {
    if (RemoveRows(days_, rows)) emit Changed();
}

void TBacktestChoices::RemoveResults(const std::vector<int>& rows) {
    if (RemoveRows(results_, rows)) emit Changed();
}

void TBacktestChoices::SetStake(std::int64_t yen) {
    if (yen == stake_) return;
    stake_ = yen;
    emit Changed();
}

SeasonOptions TBacktestChoices::Options() const {
    return {days_, results_, stake_, {GroupKey::Venue, GroupKey::Month}, true};
}

bool TBacktestChoices::Match(const SeasonOptions& options) const {
    const auto sameDay = [](const SeasonDay& a, const SeasonDay& b) {
        return a.Input == b.Input && a.Loaded == b.Loaded;
    };
    return options.Stake == stake_ && options.Results == results_ &&
           std::equal(options.Inputs.begin(), options.Inputs.end(), days_.begin(), days_.end(), sameDay);
}

std::optional<std::string> StakeError(std::int64_t yen) {
    if (yen < kStakeStep || yen > kMaxStake || yen % kStakeStep != 0)
        return "1点あたりの金額は " + YenText(kStakeStep) + " 円単位で、" + YenText(kMaxStake) +
               " 円までです";
    return std::nullopt;
}

}  // namespace talpo
