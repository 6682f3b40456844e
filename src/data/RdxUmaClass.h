// TUma: the horse file rdx_uma.dat, answering the two figure questions by horse code. The file is read
// once in chunks and only a summary of each code's first record is kept, so that a horse file of any size
// loads in a fixed amount of memory beside that table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/TypeRdx.h"

namespace talpo {

class TUma {
public:
    // Raises the load errors of InputFile.h; a size that is not whole records raises
    // "ﾌｧｲﾙの末尾以降を読み込みました" before anything is read.
    explicit TUma(const std::string& fileName);
    // The same from bytes in memory (archives, tests), which are not kept.
    static TUma FromBytes(std::string_view bytes, std::string fileName = {});

    // The index of a large file is tens of megabytes: it is moved, never copied.
    TUma(const TUma&) = delete;
    TUma& operator=(const TUma&) = delete;
    TUma(TUma&&) noexcept = default;
    TUma& operator=(TUma&&) noexcept = default;

    int RecordCount() const { return recordCount_; }
    const std::string& FileName() const { return fileName_; }

    // What the two figure questions answer for one horse, worked out once as the file is loaded: a question
    // then reads this small table and not the horse's record, which in a large file lies far from the last
    // one read.
    class Figures {
    public:
        // GetFirstFigure's text: run block 0's figure as its bytes, "0" for three blanks.
        std::string_view First() const;
        // GetMaxFigure's value; raises the conversion error of a later figure that is no number.
        std::int32_t Max() const;
        // Run block `block`'s figure (0 to RunCount - 1) as its bytes, blanks kept: what a printed card
        // shows.
        std::string_view Run(int block) const;

    private:
        friend class TUma;
        std::int32_t Record = 0;
        std::int32_t MaxFigure = 0;
        // The five figures' bytes, each in its width; a figure cut short by a zero byte is padded with zeros.
        std::array<char, TUmaRec::RunCount * TUmaRun::Figure.Width> RunText{};
        // The first later figure that is no number, BadSize bytes.
        std::array<char, TUmaRun::Figure.Width> Bad{};
        std::uint8_t BadSize = 0;
        bool HasBad = false;
    };

    // Both answers for a horse from one lookup, without making texts: for the engine, which asks them of
    // every runner. Nothing for a code no record carries.
    const Figures* FindFigures(std::string_view horseCode) const;

    // The first record (in file order) whose key equals the code, or nothing. Constant time.
    std::optional<int> Find(std::string_view horseCode) const;

    // Figure of run block 0 as its three bytes, or "0" for three blanks.
    std::string GetFirstFigure(std::string_view horseCode) const;
    // The largest figure of the five run blocks, shortest decimal form.
    std::string GetMaxFigure(std::string_view horseCode) const;
    // Both raise the list's index error (with the record count) for a code no record carries.

    // The first-match scan over a horse file's bytes (whole records), which the index must answer as: kept
    // for the fuzz target fuzz_day, which checks the index against it (the object keeps no records to scan).
    static std::optional<int> FindByScan(std::string_view records, std::string_view horseCode);

private:
    // A place of the index: Key 0 is a free place (a packed key is never 0).
    struct Slot {
        std::uint64_t Key = 0;
        Figures Value;
    };

    TUma() = default;
    // Places for about this many records, so that loading seldom grows the index.
    void Reserve(std::uint64_t records);
    // Takes the next whole records of the file, in order.
    void Add(std::string_view records);
    static Figures Summarise(const char* record, int recordNo);
    // Where a key's probe starts, and the place it ends at (its own, or the free one it would take).
    std::size_t Home(std::uint64_t key) const;
    std::size_t Place(std::uint64_t key) const;
    void Grow();
    const Figures& Lookup(std::string_view horseCode) const;
    const Figures* At(std::uint64_t key) const;

    std::string fileName_;
    int recordCount_ = 0;
    // By the code packed into one number (its up to 7 bytes and its length), in one array with open
    // addressing: building it costs one cache line a record instead of a node allocated and chased, which
    // made the index most of a large file's load.
    std::vector<Slot> slots_;
    unsigned shift_ = 64;
    std::size_t horses_ = 0;
};

}  // namespace talpo
