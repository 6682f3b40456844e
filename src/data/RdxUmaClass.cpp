// The horse file: loading, the code index and the two figure questions.
#include "data/RdxUmaClass.h"

#include <cstring>

#include "common/FileIO.h"
#include "common/StrConv.h"
#include "common/TalpoError.h"

namespace talpo {
namespace {
const std::string kThreeBlanks = "   ";
}

TUma::TUma(const std::string& fileName) : fileName_(fileName) { Adopt(ReadRecordFile(fileName, TUmaRec::Size)); }

TUma TUma::FromBytes(std::string bytes, std::string fileName) {
    CheckWholeRecords(bytes.size(), TUmaRec::Size);
    TUma uma;
    uma.fileName_ = std::move(fileName);
    uma.Adopt(std::move(bytes));
    return uma;
}

TUma::TUma(TUma&& other) noexcept
    : fileName_(std::move(other.fileName_)), recordCount_(other.recordCount_) {
    // Moving a string may move small buffers; rebuild the views over our own copy.
    Adopt(std::move(other.records_));
    other.recordCount_ = 0;
    other.index_.clear();
}

void TUma::Adopt(std::string bytes) {
    records_ = std::move(bytes);
    recordCount_ = static_cast<int>(records_.size() / TUmaRec::Size);
    index_.clear();
    index_.reserve(static_cast<std::size_t>(recordCount_));
    for (int r = 0; r < recordCount_; ++r) index_.try_emplace(Key(r), r);  // keeps the first of duplicates
}

std::string_view TUma::Key(int record) const {
    const char* p = records_.data() + static_cast<std::size_t>(record) * TUmaRec::Size + TUmaRec::HorseCode;
    const void* zero = std::memchr(p, 0, 7);
    return {p, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - p) : 7};
}

std::optional<int> TUma::Find(std::string_view horseCode) const {
    const auto it = index_.find(horseCode);
    if (it == index_.end()) return std::nullopt;
    return it->second;
}

std::optional<int> TUma::FindByScan(std::string_view horseCode) const {
    for (int r = 0; r < recordCount_; ++r) {
        if (Key(r) == horseCode) return r;
    }
    return std::nullopt;
}

int TUma::Lookup(std::string_view horseCode) const {
    if (const auto r = Find(horseCode)) return *r;
    throw ListIndexError(recordCount_);
}

std::string TUma::Figure(int record, int block) const {
    const char* p = records_.data() + static_cast<std::size_t>(record) * TUmaRec::Size + TUmaRec::Runs +
                    static_cast<std::size_t>(block) * TUmaRun::Size + TUmaRun::Figure;
    return std::string(p, strnlen(p, 3));
}

std::string TUma::GetFirstFigure(std::string_view horseCode) const {
    const std::string figure = Figure(Lookup(horseCode), 0);
    return figure == kThreeBlanks ? "0" : figure;
}

std::string TUma::GetMaxFigure(std::string_view horseCode) const {
    const int record = Lookup(horseCode);
    const std::string first = Figure(record, 0);
    std::string result = "0";
    long long maximum = 0;
    if (const auto value = TryStrToInt(first)) {
        result = IntToStr(*value);
        maximum = *value;
    } else {
        // Not a whole number: the running maximum is the value of the digits after the leading blanks.
        std::size_t i = 0;
        while (i < first.size() && first[i] == ' ') ++i;
        for (; i < first.size() && first[i] >= '0' && first[i] <= '9'; ++i) maximum = maximum * 10 + (first[i] - '0');
    }
    for (int block = 1; block < TUmaRec::RunCount; ++block) {
        const std::string figure = Figure(record, block);
        if (figure == kThreeBlanks) continue;
        const std::int32_t value = StrToInt(figure);
        if (value > maximum) {
            result = IntToStr(value);
            maximum = value;
        }
    }
    return result;
}

}  // namespace talpo
