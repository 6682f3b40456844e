// The horse file: reading it in chunks into the code index, and the two figure questions.
#include "data/RdxUmaClass.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/Cp932.h"
#include "common/FileIO.h"
#include "common/InputFile.h"
#include "common/PageBuffer.h"
#include "common/StrConv.h"
#include "common/TalpoError.h"

namespace talpo {
namespace {

constexpr std::string_view kThreeBlanks = "   ";
// A horse file is read through whole records of about a quarter of a megabyte: the memory stays the same
// whatever the file's size, and the buffer stays in the processor's caches while its records are summarised.
constexpr std::size_t kChunkBytes = (std::size_t{256} << 10) / TUmaRec::Size * TUmaRec::Size;
constexpr std::size_t kKeyWidth = TUmaRec::HorseCode.Width;
static_assert(kKeyWidth < sizeof(std::uint64_t), "PackedKey keeps the length in the top byte");

// A code of up to 7 bytes as one number: the bytes, and the length in the top byte, so that codes of
// different lengths never meet; its top bit set, so that no code packs to 0, the index's free place.
// Nothing for a longer code, which no record can carry.
std::optional<std::uint64_t> PackedKey(std::string_view code) {
    if (code.size() > kKeyWidth) return std::nullopt;
    std::uint64_t key = (std::uint64_t{code.size()} << 56) | (std::uint64_t{1} << 63);
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
    return CutFieldView(record + TUmaRec::HorseCode.Offset, kKeyWidth);
}

std::string_view Figure(const char* record, int block) {
    const RecordField figure = TUmaRec::Runs.At(static_cast<std::size_t>(block), TUmaRun::Figure);
    return CutFieldView(record + figure.Offset, figure.Width);
}

// Fibonacci hashing: the packed keys of a file differ mostly in their low bytes, which the multiplication
// spreads over the top bits the place is taken from.
constexpr std::uint64_t kSpread = 0x9E3779B97F4A7C15u;

}  // namespace

TUma::TUma(const std::string& fileName) : fileName_(fileName) {
    InputFile file(fileName);
    CheckWholeRecords(file.Size(), TUmaRec::Size);
    Reserve(file.Size() / TUmaRec::Size);
    PageBuffer chunk(kChunkBytes);
    for (;;) {
        const std::size_t n = file.Read(chunk.data(), chunk.size());
        // A file cut short since it was opened ends in part of a record.
        CheckWholeRecords(n, TUmaRec::Size);
        Add({chunk.data(), n});
        if (n < chunk.size()) break;
    }
}

TUma TUma::FromBytes(std::string_view bytes, std::string fileName) {
    CheckWholeRecords(bytes.size(), TUmaRec::Size);
    TUma uma;
    uma.fileName_ = std::move(fileName);
    uma.Reserve(bytes.size() / TUmaRec::Size);
    uma.Add(bytes);
    return uma;
}

void TUma::Reserve(std::uint64_t records) {
    // Half full at most, and no more than a million records' worth ahead of what the file proves to hold.
    const std::uint64_t wanted = std::min<std::uint64_t>(records, std::uint64_t{1} << 20) * 2;
    unsigned bits = 4;
    while ((std::uint64_t{1} << bits) < wanted) ++bits;
    slots_.assign(std::size_t{1} << bits, Slot{});
    shift_ = 64 - bits;
    horses_ = 0;
}

std::size_t TUma::Home(std::uint64_t key) const {
    return static_cast<std::size_t>((key * kSpread) >> shift_);
}

std::size_t TUma::Place(std::uint64_t key) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = Home(key);
    while (slots_[at].Key != 0 && slots_[at].Key != key) at = (at + 1) & mask;
    return at;
}

void TUma::Grow() {
    decltype(slots_) old(slots_.size() * 2);
    old.swap(slots_);
    --shift_;
    for (const Slot& slot : old) {
        if (slot.Key != 0) slots_[Place(slot.Key)] = slot;
    }
}

void TUma::Add(std::string_view records) {
    // Records in groups: the places of a whole group are asked of the memory before the first of them is
    // filled, so that the misses of a group overlap instead of being waited for one by one; on a large
    // file they were most of the load.
    constexpr std::size_t kGroup = 16;
    std::array<std::uint64_t, kGroup> keys{};
    const std::size_t count = records.size() / TUmaRec::Size;
    for (std::size_t first = 0; first < count; first += kGroup) {
        const std::size_t n = std::min(kGroup, count - first);
        while (2 * (horses_ + n) > slots_.size()) Grow();
        for (std::size_t i = 0; i < n; ++i) {
            const char* record = records.data() + (first + i) * TUmaRec::Size;
            keys[i] = *PackedKey(Key(record));
            __builtin_prefetch(&slots_[Home(keys[i])]);
            // The run blocks' figures lie on cache lines of their own, which a summary would otherwise
            // wait for one after the other.
            for (int block = 0; block < TUmaRec::RunCount; ++block)
                __builtin_prefetch(record +
                                   TUmaRec::Runs.At(static_cast<std::size_t>(block), TUmaRun::Figure).Offset);
        }
        for (std::size_t i = 0; i < n; ++i, ++recordCount_) {
            Slot& slot = slots_[Place(keys[i])];
            // The first record of a code is the one every question reads; later ones are not looked at.
            if (slot.Key == 0) {
                slot = {keys[i], Summarise(records.data() + (first + i) * TUmaRec::Size, recordCount_)};
                ++horses_;
            }
        }
    }
}

const TUma::Figures* TUma::At(std::uint64_t key) const {
    if (slots_.empty()) return nullptr;
    const Slot& slot = slots_[Place(key)];
    return slot.Key == key ? &slot.Value : nullptr;
}

// The largest figure of the five run blocks, as the data has always been read: block 0 counts as a
// number if it is one, else as the digits after its blanks (without giving its text); a later block
// counts unless blank, and one that is no number stops the question with the conversion error.
TUma::Figures TUma::Summarise(const char* record, int recordNo) {
    Figures horse;
    horse.Record = recordNo;
    for (int block = 0; block < TUmaRec::RunCount; ++block) {
        const std::string_view figure = Figure(record, block);
        std::memcpy(horse.RunText.data() + block * TUmaRun::Figure.Width, figure.data(), figure.size());
    }
    const std::string_view first = Figure(record, 0);
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

const TUma::Figures* TUma::FindFigures(std::string_view horseCode) const {
    const auto key = PackedKey(horseCode);
    return key ? At(*key) : nullptr;
}

std::optional<int> TUma::Find(std::string_view horseCode) const {
    const Figures* horse = FindFigures(horseCode);
    if (!horse) return std::nullopt;
    return horse->Record;
}

std::optional<int> TUma::FindByScan(std::string_view records, std::string_view horseCode) {
    int recordNo = 0;
    for (std::size_t at = 0; at + TUmaRec::Size <= records.size(); at += TUmaRec::Size, ++recordNo) {
        if (Key(records.data() + at) == horseCode) return recordNo;
    }
    return std::nullopt;
}

std::string_view TUma::Figures::First() const {
    const std::string_view figure = Run(0);
    return figure == kThreeBlanks ? "0" : figure;
}

std::string_view TUma::Figures::Run(int block) const {
    return CutFieldView(RunText.data() + static_cast<std::size_t>(block) * TUmaRun::Figure.Width,
                        TUmaRun::Figure.Width);
}

std::int32_t TUma::Figures::Max() const {
    if (HasBad) throw NotIntegerError(std::string_view(Bad.data(), BadSize));
    return MaxFigure;
}

const TUma::Figures& TUma::Lookup(std::string_view horseCode) const {
    if (const Figures* horse = FindFigures(horseCode)) return *horse;
    throw ListIndexError(recordCount_);
}

std::string TUma::GetFirstFigure(std::string_view horseCode) const {
    return std::string(Lookup(horseCode).First());
}

std::string TUma::GetMaxFigure(std::string_view horseCode) const {
    return IntToStr(Lookup(horseCode).Max());
}

}  // namespace talpo
