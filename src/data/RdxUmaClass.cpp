// The horse file: reading it through a small buffer into the code index, and the two figure questions.
#include "data/RdxUmaClass.h"

#include <cstring>
#include <vector>

#include "common/FileIO.h"
#include "common/InputFile.h"
#include "common/StrConv.h"
#include "common/TalpoError.h"

namespace talpo {
namespace {

constexpr std::string_view kThreeBlanks = "   ";
// Records read at a time: about a megabyte, so that the buffer stays in the cache and is never the
// memory that counts.
constexpr std::size_t kChunkRecords = (std::size_t{1} << 20) / TUmaRec::Size;
constexpr std::size_t kKeyWidth = TUmaRec::HorseCode.Width;
static_assert(kKeyWidth < sizeof(std::uint64_t), "PackedKey keeps the length in the top byte");

// A code of up to 7 bytes as one number: the bytes, and the length in the top byte, so that codes of
// different lengths never meet. Nothing for a longer code, which no record can carry.
std::optional<std::uint64_t> PackedKey(std::string_view code) {
    if (code.size() > kKeyWidth) return std::nullopt;
    std::uint64_t key = std::uint64_t{code.size()} << 56;
    for (std::size_t i = 0; i < code.size(); ++i)
        key |= std::uint64_t{static_cast<unsigned char>(code[i])} << (8 * i);
    return key;
}

template <std::size_t N>
std::uint8_t CopyText(std::string_view text, std::array<char, N>& out) {
    const std::size_t n = std::min(text.size(), N);
    std::memcpy(out.data(), text.data(), n);
    return static_cast<std::uint8_t>(n);
}

std::string_view Key(const char* record) {
    const char* p = record + TUmaRec::HorseCode.Offset;
    const void* zero = std::memchr(p, 0, kKeyWidth);
    return {p, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - p) : kKeyWidth};
}

std::string_view Figure(const char* record, int block) {
    const RecordField figure = TUmaRec::Runs.At(static_cast<std::size_t>(block), TUmaRun::Figure);
    const char* p = record + figure.Offset;
    return {p, strnlen(p, figure.Width)};
}

}  // namespace

TUma::TUma(const std::string& fileName) : fileName_(fileName) {
    InputFile file(fileName);
    CheckWholeRecords(file.Size(), TUmaRec::Size);
    index_.reserve(static_cast<std::size_t>(file.Size() / TUmaRec::Size));
    std::vector<char> buffer(kChunkRecords * TUmaRec::Size);
    for (;;) {
        const std::size_t n = file.Read(buffer.data(), buffer.size());
        // A file cut short since it was opened ends in part of a record.
        CheckWholeRecords(n, TUmaRec::Size);
        Add({buffer.data(), n});
        if (n < buffer.size()) break;
    }
}

TUma TUma::FromBytes(std::string_view bytes, std::string fileName) {
    CheckWholeRecords(bytes.size(), TUmaRec::Size);
    TUma uma;
    uma.fileName_ = std::move(fileName);
    uma.index_.reserve(bytes.size() / TUmaRec::Size);
    uma.Add(bytes);
    return uma;
}

void TUma::Add(std::string_view records) {
    for (std::size_t at = 0; at < records.size(); at += TUmaRec::Size, ++recordCount_) {
        const char* record = records.data() + at;
        // The first record of a code is the one every question reads; later ones are not looked at.
        const auto [it, added] = index_.try_emplace(*PackedKey(Key(record)));
        if (added) it->second = Summarise(record, recordCount_);
    }
}

// The largest figure of the five run blocks, as the data has always been read: block 0 counts as a
// number if it is one, else as the digits after its blanks (without giving its text); a later block
// counts unless blank, and one that is no number stops the question with the conversion error.
TUma::Horse TUma::Summarise(const char* record, int recordNo) {
    Horse horse;
    horse.Record = recordNo;
    const std::string_view first = Figure(record, 0);
    horse.FirstSize = CopyText(first, horse.First);
    long long maximum = 0;
    if (const auto value = TryStrToInt(first)) {
        horse.MaxFigure = *value;
        maximum = *value;
    } else {
        std::size_t i = 0;
        while (i < first.size() && first[i] == ' ') ++i;
        for (; i < first.size() && first[i] >= '0' && first[i] <= '9'; ++i)
            maximum = maximum * 10 + (first[i] - '0');
    }
    for (int block = 1; block < TUmaRec::RunCount; ++block) {
        const std::string_view figure = Figure(record, block);
        if (figure == kThreeBlanks) continue;
        const auto value = TryStrToInt(figure);
        if (!value) {
            horse.HasBad = true;
            horse.BadSize = CopyText(figure, horse.Bad);
            break;
        }
        if (*value > maximum) {
            horse.MaxFigure = *value;
            maximum = *value;
        }
    }
    return horse;
}

std::optional<int> TUma::Find(std::string_view horseCode) const {
    const auto key = PackedKey(horseCode);
    if (!key) return std::nullopt;
    const auto it = index_.find(*key);
    if (it == index_.end()) return std::nullopt;
    return it->second.Record;
}

std::optional<int> TUma::FindByScan(std::string_view records, std::string_view horseCode) {
    int recordNo = 0;
    for (std::size_t at = 0; at + TUmaRec::Size <= records.size(); at += TUmaRec::Size, ++recordNo) {
        if (Key(records.data() + at) == horseCode) return recordNo;
    }
    return std::nullopt;
}

const TUma::Horse& TUma::Lookup(std::string_view horseCode) const {
    if (const auto key = PackedKey(horseCode)) {
        if (const auto it = index_.find(*key); it != index_.end()) return it->second;
    }
    throw ListIndexError(recordCount_);
}

std::string TUma::GetFirstFigure(std::string_view horseCode) const {
    const Horse& horse = Lookup(horseCode);
    const std::string_view figure(horse.First.data(), horse.FirstSize);
    return figure == kThreeBlanks ? "0" : std::string(figure);
}

std::string TUma::GetMaxFigure(std::string_view horseCode) const {
    const Horse& horse = Lookup(horseCode);
    if (horse.HasBad) throw NotIntegerError(std::string_view(horse.Bad.data(), horse.BadSize));
    return IntToStr(horse.MaxFigure);
}

}  // namespace talpo
