// Reading a results file's records. libcsv splits the fields; it is given one line at a time, so that every
// row knows the line it starts on. A CP932 file is split as it is, since no second byte of a CP932 character
// looks like a comma, a quote or a line end, and its fields are converted one by one.
#include "backtest/ResultsCsv.h"

#include <csv.h>

#include <algorithm>
#include <new>
#include <vector>

#include "common/Cp932.h"
#include "common/TalpoError.h"

namespace talpo {
namespace {

// A row's first Count fields; the strings past them keep their room for the rows to come.
struct CsvRow {
    int Line = 0;
    std::size_t Count = 0;
    std::vector<std::string> Fields;
};

// What libcsv hands over while one line of the file is parsed: a C callback cannot throw, so the rows wait
// here until the parse call returns. The rows are reused from line to line: a season's results would
// otherwise cost several allocations a row.
struct Collector {
    int Line = 0;
    int RowLine = 0;           // where the row under way started; 0 between rows
    std::vector<CsvRow> Rows;  // the first RowCount whole, the next one being filled
    std::size_t RowCount = 0;

    CsvRow& Current() {
        if (Rows.size() == RowCount) Rows.emplace_back();
        return Rows[RowCount];
    }
};

void OnField(void* data, std::size_t size, void* collector) {
    auto& c = *static_cast<Collector*>(collector);
    const std::string_view field(data ? static_cast<const char*>(data) : "", data ? size : 0);
    CsvRow& row = c.Current();
    if (row.Count == 0) row.Line = c.RowLine != 0 ? c.RowLine : c.Line;
    if (row.Fields.size() == row.Count) row.Fields.emplace_back();
    row.Fields[row.Count++].assign(field);
}

void OnRowEnd(int /*terminator*/, void* collector) {
    auto& c = *static_cast<Collector*>(collector);
    c.Current();
    ++c.RowCount;
    c.RowLine = 0;
}

// Where the line that starts at `start` ends, past its CR, LF or CR LF.
std::size_t LineEnd(std::string_view bytes, std::size_t start) {
    std::size_t at = start;
    while (at < bytes.size() && bytes[at] != '\n' && bytes[at] != '\r') ++at;
    if (at == bytes.size()) return at;
    return bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n' ? at + 2 : at + 1;
}

// What libcsv passes over before a row: blanks, tabs and line ends.
bool StartsNoRow(std::string_view line) {
    return std::all_of(line.begin(), line.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

// Drops a UTF-8 byte-order mark and tells whether the rest is UTF-8: the first line that holds a byte past
// ASCII decides (in a Japanese file the header). Files of plain ASCII read alike either way.
bool TakeUtf8(std::string_view& bytes, const std::string& name) {
    static constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        RefuseLine(name, 1, "UTF-16 は読めません。UTF-8 か Shift_JIS で保存してください");
    if (bytes.starts_with(kBom)) {
        bytes.remove_prefix(kBom.size());
        return true;
    }
    const auto high = std::find_if(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
    if (high == bytes.end()) return true;
    const std::size_t at = static_cast<std::size_t>(high - bytes.begin());
    const std::size_t before = bytes.find_last_of("\r\n", at);
    const std::size_t start = before == std::string_view::npos ? 0 : before + 1;
    return IsUtf8(bytes.substr(start, LineEnd(bytes, start) - start));
}

// Feeds libcsv a line at a time and hands on the rows each line completes.
class RecordReader {
public:
    RecordReader(const std::string& name, const std::function<void(const CsvRecord&)>& onRow, bool utf8)
        : name_(name), onRow_(onRow), utf8_(utf8) {
        if (csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI) != 0) throw std::bad_alloc();
    }
    ~RecordReader() { csv_free(&parser_); }
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    void Line(std::string_view line) {
        ++c_.Line;
        if (utf8_ && !IsUtf8(line)) RefuseLine(name_, c_.Line, "UTF-8 として読めない文字があります");
        if (c_.RowLine == 0 && !StartsNoRow(line)) c_.RowLine = c_.Line;
        const bool parsed =
            csv_parse(&parser_, line.data(), line.size(), OnField, OnRowEnd, &c_) == line.size();
        HandRows();
        if (!parsed) RefuseLine(name_, c_.Line, "引用符 (\") の位置が正しくありません");
    }

    void Finish() {
        const bool closed = csv_fini(&parser_, OnField, OnRowEnd, &c_) == 0;
        // An open quote leaves no row behind, only the line where the row began.
        if (!closed)
            RefuseLine(name_, c_.RowLine != 0 ? c_.RowLine : c_.Line, "引用符 (\") が閉じていません");
        HandRows();
    }

private:
    void HandRows() {
        for (std::size_t r = 0; r < c_.RowCount; ++r) {
            CsvRow& row = c_.Rows[r];
            const std::size_t count = row.Count;
            row.Count = 0;
            if (utf8_) {
                onRow_(CsvRecord{row.Line, std::span<const std::string>(row.Fields.data(), count)});
                continue;
            }
            converted_.resize(count);
            for (std::size_t f = 0; f < count; ++f) converted_[f] = Cp932ToUtf8(row.Fields[f]);
            onRow_(CsvRecord{row.Line, converted_});
        }
        c_.RowCount = 0;
    }

    const std::string& name_;
    const std::function<void(const CsvRecord&)>& onRow_;
    const bool utf8_;
    csv_parser parser_{};
    Collector c_;
    std::vector<std::string> converted_;  // a CP932 row's fields in UTF-8, kept for their room
};

}  // namespace

void RefuseLine(const std::string& name, int line, std::string_view message) {
    std::string text = name + ":" + std::to_string(line) + ": ";
    for (const char c : message) text += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    throw ETalpoError(ErrorKind::Results, text);
}

void ReadCsvRecords(std::string_view bytes, const std::string& name,
                    const std::function<void(const CsvRecord&)>& onRow) {
    const bool utf8 = TakeUtf8(bytes, name);
    RecordReader reader(name, onRow, utf8);
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = LineEnd(bytes, start);
        reader.Line(bytes.substr(start, end - start));
        start = end;
    }
    reader.Finish();
}

}  // namespace talpo
