// TUma: the horse file rdx_uma.dat held in memory, answering the two figure questions by horse code.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "data/TypeRdx.h"

namespace talpo {

class TUma {
public:
    explicit TUma(const std::string& fileName);
    static TUma FromBytes(std::string bytes, std::string fileName = {});

    // A horse file may be hundreds of megabytes: it is moved, never copied.
    TUma(const TUma&) = delete;
    TUma& operator=(const TUma&) = delete;
    TUma(TUma&&) noexcept = default;
    TUma& operator=(TUma&&) noexcept = default;

    int RecordCount() const { return recordCount_; }
    const std::string& FileName() const { return fileName_; }

    // The first record (in file order) whose key equals the code, or nothing. Constant time.
    std::optional<int> Find(std::string_view horseCode) const;

    // Figure of run block 0 as its three bytes, or "0" for three blanks.
    std::string GetFirstFigure(std::string_view horseCode) const;
    // The largest figure of the five run blocks, shortest decimal form.
    std::string GetMaxFigure(std::string_view horseCode) const;
    // Both raise the list's index error (with the record count) for a code no record carries.

    // The first-match scan over the records, kept for comparison with the index.
    std::optional<int> FindByScan(std::string_view horseCode) const;

private:
    // What the two figure questions need of a horse, worked out once as the file is loaded: a question
    // then reads this small table and not the horse's record, which in a large file lies far from the
    // last one read.
    struct Horse {
        std::int32_t Record = 0;
        std::int32_t MaxFigure = 0;  // GetMaxFigure's answer is its decimal text
        // Run block 0's figure, FirstSize bytes.
        std::array<char, TUmaRun::Figure.Width> First{};
        std::uint8_t FirstSize = 0;
        // The first later figure that is no number, BadSize bytes.
        std::array<char, TUmaRun::Figure.Width> Bad{};
        std::uint8_t BadSize = 0;
        bool HasBad = false;
    };

    TUma() = default;
    void Adopt(std::string bytes);
    const Horse& Lookup(std::string_view horseCode) const;
    std::string_view Key(int record) const;
    std::string_view Figure(int record, int block) const;
    Horse Summarise(int record) const;

    std::string fileName_;
    std::string records_;
    int recordCount_ = 0;
    // By the code packed into one number (its up to 7 bytes and its length), so that neither building
    // nor asking touches the records again.
    std::unordered_map<std::uint64_t, Horse> index_;
};

}  // namespace talpo
