// TUma: the horse file rdx_uma.dat held in memory, answering the two figure questions by horse code.
#pragma once

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

    // The index points into the record buffer, so the object stays where it was built.
    TUma(const TUma&) = delete;
    TUma& operator=(const TUma&) = delete;
    TUma(TUma&& other) noexcept;
    TUma& operator=(TUma&&) = delete;

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
    TUma() = default;
    void Adopt(std::string bytes);
    int Lookup(std::string_view horseCode) const;
    std::string_view Key(int record) const;
    std::string Figure(int record, int block) const;

    std::string fileName_;
    std::string records_;
    int recordCount_ = 0;
    std::unordered_map<std::string_view, int> index_;
};

}  // namespace talpo
